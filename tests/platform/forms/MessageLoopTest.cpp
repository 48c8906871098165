// The application's passes of message processing: an error in a handler is shown and the next
// event still follows, and the window system is served while the handlers must wait.

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"

namespace controls_test {
namespace {

TEST_F(ControlsTest, AnErrorInAHandlerIsShownAndTheNextEventFollows) {
  std::vector<std::string> shown;
  application.SetErrorDisplay([&](const std::string& message) { shown.push_back(message); });
  auto& memo = Place<TMemo>(form, "memo", 10, 10, 200, 22);
  auto& button = Place<TButton>(form, "button", 10, 40, 80, 25);
  button.SetCaption("&Verbinden");
  button.OnClick = [](TControl&) { throw std::runtime_error("Verbindung verloren"); };
  memo.OnKeyDown = [](TControl&, WORD& Key, TShiftState) {
    if (Key == VK_F1) throw std::runtime_error("Datei fehlt.");
  };
  memo.SetFocus();

  batching = true;
  Press('V', Alt);
  Type("ok");
  Press(VK_F1);
  Type("!");
  Pump();
  EXPECT_EQ(shown, (std::vector<std::string>{"Verbindung verloren.", "Datei fehlt."}));
  EXPECT_EQ(memo.Text(), "ok!");

  // A handler of its own takes the error instead.
  std::vector<std::string> handled;
  application.OnException = [&](const std::exception& E) { handled.push_back(E.what()); };
  Press(VK_F1);
  Type("?");
  Pump();
  EXPECT_EQ(handled, std::vector<std::string>{"Datei fehlt."});
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(memo.Text(), "ok!?");
}

// While the program cannot let its handlers run, the window system's requests are still served,
// and what the user typed waits, in order, for the next pass.
TEST_F(ControlsTest, WhileHandlersMustWaitTheSystemIsServedAndTypingKeepsItsOrder) {
  auto& memo = Place<TMemo>(form, "memo", 10, 10, 200, 22);
  memo.SetFocus();
  int closeRequests = 0;
  form.OnCloseRequest = [&](TControl&) { ++closeRequests; };

  batching = true;
  Type("ab");
  Queue(InputKind::Close);
  application.ServeSystemEvents();
  EXPECT_EQ(closeRequests, 1) << "the request to close is answered at once";
  EXPECT_EQ(memo.Text(), "") << "typing waits for the handlers";
  Type("c");
  application.ServeSystemEvents();
  Type("d");
  Pump();
  EXPECT_EQ(memo.Text(), "abcd");
  EXPECT_EQ(closeRequests, 1);
}

}  // namespace
}  // namespace controls_test
