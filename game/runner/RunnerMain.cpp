// veltranzik-script: runs the real game with its own start-up, without a window on screen or a
// sound device, its clock, mouse and keyboard taken from a script.

#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>

#include "Program.h"
#include "ScriptActions.h"
#include "ScriptedInput.h"
#include "lib/LibraryCache.h"
#include "platform/forms/Application.h"
#include "platform/forms/HeadlessPlatform.h"
#include "platform/win/CodePage.h"

namespace {

constexpr const char* Usage = R"(Usage: veltranzik-script SCRIPT [--seed N] [--frames FILE]

Runs Veltranzik in the working directory, as the program starts, but with no window on screen
and no sound device; its clock, mouse and keyboard come from SCRIPT. With --seed the random
generator starts from N instead of the clock. With --frames every frame of a round that the
game shows adds a line to FILE: the real time in microseconds since the frame before;
"record" when a record transfer with the other player ran in that time, "handshake" when the
round's opening or ending agreement did, else "play"; and the time the frame came, in
microseconds of the system's monotonic clock. Only frames shown during a hold are paced as on
a screen of 60 Hz; the others come as fast as the game makes them.

SCRIPT holds one command a line; blank lines and lines starting with # are skipped. Each line
begins with a time T in milliseconds of the virtual clock since the start, never smaller than
the lines before, or +T: T milliseconds after the line above was carried out (for the lines
after an await); the command is carried out when the game, running or waiting, reaches T. The
virtual clock moves as a real one would for the game: each frame shown by one refresh (1000/60
ms), each Sleep by its length, each pass of message processing that shows no frame by 1 ms, and
while the game waits for input it moves straight on to the next command. While the game waits for
the other player of a network game, or the script awaits a state, it follows real time.

  T key down CODE        a key goes down, by its Windows key code (9 Tab, 13 Enter, 27 Esc,
  T key up CODE          32 Space, 37 left, 39 right, 65 to 90 the letters, 16 Shift, 18 Alt)
  T type TEXT            the rest of the line (UTF-8) is typed into the focused control
  T move X Y             the mouse moves to (X, Y) in the window's pixels (640 x 480 in the game)
  T press left X Y       the mouse moves to (X, Y) and its left (or right) button goes down
  T press right X Y      and up there
  T shoot stork          shoots at a flying stork in the open sky, the nearest first, as a
                         player who aims does; nothing when none is in sight
  T control NAME click          acts on the start screen's component NAME as a user's click,
  T control NAME text STRING    typing over its text, choice of list item N or track bar
  T control NAME select N       position N would; a disabled or hidden component ignores it
  T control NAME position N
  T screenshot FILE      writes what the window shows now as a PNG file
  T state FILE           writes the game's state as key=value lines
  T await KEY VALUE      holds the lines after it back until the game's state has KEY=VALUE
                         (at most 120 s of real time): for two runners that play each other;
                         "!VALUE" awaits any value but that one
  T hold MS              holds the lines after it back for MS milliseconds of real time while
                         the game runs on as it would, its clock keeping pace with real time:
                         a player who takes their time
  T end                  ends the run there, like closing the window without saving

The run also ends when the game ends itself, and when the script has nothing more to do while
the game waits for input. Exit status: 0 when the run ended so; 1 when the game raised an error
that nothing caught (its message on standard error) or the script has a fault (its line and the
reason on standard error); 2 for wrong arguments.
)";

struct Arguments {
  std::string Script;
  std::string FramesFile;
  GameOptions Options;
};

std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--seed" && i + 1 < argc) {
      std::uint32_t seed = 0;
      const char* text = argv[++i];
      const auto [end, error] = std::from_chars(text, text + std::strlen(text), seed);
      if (error != std::errc() || *end != '\0') return std::nullopt;
      arguments.Options.Seed = seed;
    } else if (argument == "--frames" && i + 1 < argc && arguments.FramesFile.empty()) {
      arguments.FramesFile = argv[++i];
    } else if (arguments.Script.empty() && !argument.starts_with("-")) {
      arguments.Script = argument;
    } else {
      return std::nullopt;
    }
  }
  if (arguments.Script.empty()) return std::nullopt;
  return arguments;
}

int Run(const Arguments& arguments) {
  std::ifstream file(arguments.Script);
  if (!file) {
    std::cerr << "veltranzik-script: cannot read " << arguments.Script << '\n';
    return 2;
  }
  std::ofstream frameFile;
  if (!arguments.FramesFile.empty()) {
    frameFile.open(arguments.FramesFile, std::ios::trunc);
    if (!frameFile) {
      std::cerr << "veltranzik-script: cannot write " << arguments.FramesFile << '\n';
      return 2;
    }
  }
  FrameLog frames(frameFile);
  // Nothing is shown on screen, message boxes neither.
  platform::HeadlessPlatform headless(platform::HeadlessPlatform::MessageBoxes::ToStandardError);
  bool gameFailed = false;
  int exitCode = 0;
  try {
    std::vector<ScriptCommand> commands = ParseScript(file);
    TApplication application;
    application.SetErrorDisplay([&](const std::string& message) {
      std::cerr << Cp1252ToUtf8(message) << '\n';
      gameFailed = true;
    });
    ScriptActions actions(application);
    const auto origin = [&application]() -> POINT {
      const TForm* form = application.MainForm();
      return form ? POINT{form->Left(), form->Top()} : POINT{0, 0};
    };
    // The sound plays on as the virtual clock moves, so that a sample ends when it would.
    const auto playSound = [&sound = headless.Sound()](std::uint64_t milliseconds) {
      sound.Render(static_cast<std::size_t>(milliseconds * sound.Rate() / 1000));
    };
    const auto stateValue = [&application](const std::string& key) { return StateValue(application, key); };
    const auto storkInSight = [&application] { return StorkInSight(application); };
    ScriptedInput input(
        std::move(commands), headless.VirtualClock(), [&](const ScriptCommand& c) { actions.Perform(c); }, origin,
        playSound, stateValue, storkInSight);
    actions.SetFreezeMeter([&input] { return static_cast<std::int64_t>(input.LongestFreeze().count()); });
    if (frameFile.is_open()) input.WatchPasses([&] { frames.Pass(FrameMarkOf(application), FrameLog::Clock::now()); });
    platform::ScopedInput scopedInput(input);
    try {
      RunVeltranzik(application, arguments.Options);
    } catch (const ScriptEnd&) {
    }
    exitCode = application.ExitCode();
  } catch (const ScriptFault& fault) {
    std::cerr << arguments.Script << ':' << fault.Line << ": " << fault.Reason << '\n';
    return 1;
  }
  FreeLibraries();
  return gameFailed || exitCode != 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::cout << Usage;
    return 0;
  }
  const std::optional<Arguments> arguments = ParseArguments(argc, argv);
  if (!arguments) {
    std::cerr << Usage;
    return 2;
  }
  return Run(*arguments);
}
