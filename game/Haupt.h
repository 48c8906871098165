#pragma once
// The main form: first the start screen, then the full-screen game. It owns every object of the
// game and all of the game's state; its event handlers and the steps they take are defined in the
// files of this folder, one topic each.

#include <optional>

#include "AssetPlan.h"
#include "GameAssets.h"
#include "NetworkChannel.h"
#include "game/rules/GameRandom.h"
#include "game/rules/GameState.h"
#include "game/rules/SettingsRecord.h"
#include "game/rules/Targets.h"
#include "game/rules/TwoPlayer.h"
#include "platform/forms/Application.h"
#include "platform/forms/StdCtrls.h"

class TForm1 final : public TForm, private TargetSounds, private MatchWindow {
 public:
  explicit TForm1(TApplication& Application);
  ~TForm1() override;

  // A reproducible run: the random generator starts from this number instead of the clock.
  void SetFixedSeed(std::optional<std::uint32_t> Seed) { fixedSeed_ = Seed; }

  // The start screen's components.
  TPanel* pname = nullptr;
  TImage* Image4 = nullptr;
  TPanel* Panel1 = nullptr;
  TImage* Image1 = nullptr;
  TImage* Image3 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label5 = nullptr;
  TButton* Button3 = nullptr;
  TPanel* Panel2 = nullptr;
  TLabel* Label1 = nullptr;
  TMemo* eName = nullptr;
  TButton* Button2 = nullptr;
  TPanel* Panel3 = nullptr;
  TCheckBox* cbNetz = nullptr;
  TListBox* lbd = nullptr;
  TLabel* ln1 = nullptr;
  TLabel* lStatus = nullptr;
  TCheckBox* cbdoppelt = nullptr;
  TLabel* ln2 = nullptr;
  TTrackBar* track = nullptr;
  TLabel* ln3 = nullptr;
  TLabel* ln4 = nullptr;
  TLabel* ln5 = nullptr;
  TCheckBox* vollbild = nullptr;
  TButton* Button4 = nullptr;
  TButton* Button1 = nullptr;
  // The dialog that asks for the other computer's address.
  TPanel* pAdresse = nullptr;
  TLabel* lAdresse = nullptr;
  TMemo* eAdresse = nullptr;
  TLabel* lAdresseHinweis = nullptr;
  TButton* bAdresseOK = nullptr;
  TButton* bAdresseAbbrechen = nullptr;

  ProgramState Program;
  RoundState Round;
  MagazineState Magazine;
  TargetState Targets;
  NetworkState Net;
  MatchState Match;
  SettingsRecord Settings;
  GameAssets Assets;
  GameRandom Random;

  // Event handlers.
  void FormCreate(TControl& Sender);
  void FormPaint(TControl& Sender);
  void FormActivate(TControl& Sender);
  void FormCloseQuery(TForm& Sender, bool& CanClose);
  void FormDestroy(TControl& Sender);
  void FormKeyDown(TControl& Sender, WORD& Key, TShiftState Shift);
  void FormKeyUp(TControl& Sender, WORD& Key, TShiftState Shift);
  void FormMouseDown(TControl& Sender, platform::MouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y);
  void Button2Click(TControl& Sender);
  void Button3Click(TControl& Sender);
  void Button4Click(TControl& Sender);
  void cbNetzClick(TControl& Sender);
  void eNameKeyDown(TControl& Sender, WORD& Key, TShiftState Shift);
  void eNameExit(TControl& Sender);

  // Steps of the handlers.
  void LoadSettings();
  void SaveSettings();
  void SetUpStartScreen();
  void UpdatePlayerStatus();
  void CreateGraphicsDevice();
  void PrepareDisplay();
  void LoadAssets();
  void ShowTitlePicture();
  void SetGamePalette();
  void StartRound();
  void SimulationTick();
  void ScrollView();
  void RenderFrame();
  void RenderHitMask();
  void DrawNumber(std::int32_t X, std::int32_t Y, std::int32_t Value);
  void ShowHighScores();
  void SaveAndQuit();

 private:
  void CreateComponents();
  void CreateTitlePanel();
  void CreateControlPanel();
  void CreateNetworkPanel();
  void CreateAddressDialog();
  int ListedPlayers() const;
  void WaitForSecondPlayer();
  void LoadPictures(const std::vector<PictureLoad>& Plan);
  void LoadSounds();
  void RenderTextStrips();
  bool SetUpRound();
  void RunFrames();
  void EndRound();
  // Two players.
  bool AgreeOnRound();
  bool ServeWhilePlayerAwaited() override;
  bool ServeSystemEvents() override;
  void ShowError(const Exception& E) override;
  void LeaveFullSession();
  std::optional<GUID> SessionOnNetwork();
  // Joining by address.
  bool ConnectionTakesAddress() const;
  bool SessionAtAddress(std::optional<GUID>& Found);
  void OpenAddressDialog();
  bool AwaitAddressAnswer();
  bool SearchAddress(const std::string& Address, std::optional<GUID>& Found);
  void CloseAddressDialog();
  std::string WithOwnAddresses(const std::string& Status) const;
  void FinishMatchRound();
  bool ShowMatchResult();
  void ShowResult();
  void WriteResult();
  void WaitForRestartChoice();
  void RestartBarrier();
  void DrawOpponent();
  void LetMessagesRun();
  void ChooseOpponent();
  void DrawScenery(std::int32_t Layer, bool Mask);
  void DrawTargets(std::int32_t Layer, bool Mask);
  void DrawGroundFigures();
  void DrawPlane();
  void DrawClock();
  void PlayCountdown();
  void DrawCartridges();
  void DrawGlowingText(std::int32_t X, std::int32_t Y, const std::string& Text);
  void SpawnRandom();
  void Shoot(std::int32_t X, std::int32_t Y);
  bool HitGroundFigure(std::int32_t X, std::int32_t Row);
  bool HitStork(std::int32_t X, std::int32_t Row);
  bool HitPlane(std::int32_t X, std::int32_t Row);
  void SendHit(RecordKind Kind, std::int32_t Slot);
  void Play(const SoundSample& Sample);
  void GroundFigureUp() override;
  void Ambient(std::int32_t Number) override;
  // From the moment the window becomes the game, an error that reaches the message loop ends the
  // program once its message has been shown.
  void EndOnError(const std::exception& E);

  std::optional<std::uint32_t> fixedSeed_;
  enum class DialogAnswer { Open, Ok, Cancel };
  DialogAnswer addressAnswer_ = DialogAnswer::Open;
  std::int32_t figureUpCopy_ = 0;  // the two copies of the sound take turns
  NetworkChannel channel_{Net};
  TwoPlayerProtocol protocol_{channel_, Match, Round, Targets, *this, [this] { Play(Assets.OpponentHit); }};
};

// The name of the settings file in the working directory.
inline const std::string SettingsFileName = "dat.dat";
