#include "TwoPlayer.h"

#include <algorithm>

#include "GameMath.h"
#include "MessageText.h"
#include "platform/win/Clock.h"

namespace {

std::int64_t Now() { return static_cast<std::int64_t>(GetTickCount64()); }

// How long one look for traffic may take while an exchange waits.
constexpr std::int32_t TrafficWaitMilliseconds = 50;

std::int32_t ValueOf(const std::string& Payload) {
  if (Payload.empty()) return 0;
  return FieldReader(Payload + "|").Next();
}

}  // namespace

TwoPlayerProtocol::TwoPlayerProtocol(MessageChannel& Channel, MatchState& Match, RoundState& Round,
                                     TargetState& Targets, const std::uint8_t& IsHost,
                                     std::function<void()> OpponentHit)
    : channel_(Channel),
      match_(Match),
      round_(Round),
      targets_(Targets),
      isHost_(IsHost),
      opponentHit_(std::move(OpponentHit)) {}

void TwoPlayerProtocol::SendText(const std::string& Text) { channel_.Send(Text); }

// Once the other player is gone it is over for good: no later state of the match brings it back.
void TwoPlayerProtocol::NoteGone() {
  if (match_.Gone == OpponentGone::No) match_.Gone = channel_.Gone();
  if (match_.Gone != OpponentGone::No) match_.PeerEndState = EndOver;
}

const std::string& TwoPlayerProtocol::ReceiveText() {
  if (std::optional<std::string> text = channel_.Poll()) {
    match_.LastText = std::move(*text);
    if (!match_.LastText.empty() && match_.LastText[0] == '@') match_.PeerEndState = EndOver;
  }
  NoteGone();
  return match_.LastText;
}

std::string TwoPlayerProtocol::WaitForMessage(char Letter) {
  std::int64_t heard = Now();
  std::string before = match_.LastText;
  for (;;) {
    const std::string& text = ReceiveText();
    if (!text.empty() && text[0] == Letter) return text.substr(1);
    if (text == "@0" || match_.Gone != OpponentGone::No) return "0";
    if (text != before) {
      heard = Now();
      before = text;
    }
    if (Now() - heard > SilenceLimitMilliseconds) {
      match_.Gone = OpponentGone::Silent;
      match_.PeerEndState = EndOver;
      return "0";
    }
    channel_.WaitForTraffic(TrafficWaitMilliseconds);
  }
}

std::int32_t TwoPlayerProtocol::ExchangeValue(char Letter, std::int32_t Value) {
  SendText(Letter + std::to_string(Value));
  const std::int32_t result = ValueOf(WaitForMessage(Letter));
  if (match_.PeerEndState != EndOver) {
    SendText("~");
    WaitForMessage('~');
  }
  return result;
}

std::string TwoPlayerProtocol::ExchangeText(char Letter, const std::string& Text) {
  SendText(Letter + Text);
  std::string payload = WaitForMessage(Letter);
  SendText("~");
  WaitForMessage('~');
  return payload;
}

void TwoPlayerProtocol::SyncBarrier() {
  SendText("#");
  WaitForMessage('#');
}

void TwoPlayerProtocol::ExchangeStatus() {
  StatusFields own;
  own.PendingUpdate = static_cast<std::int32_t>(match_.PendingUpdates.size());
  own.Score = round_.Score;
  own.CameraXInt = round_.CameraXInt;
  own.CursorX = round_.CursorX;
  own.CursorY = round_.CursorY;
  own.TickCount = round_.TickCount;
  const std::string reply = ExchangeText('y', StatusPayload(own));
  if (match_.PeerEndState == EndOver) return;
  StatusFields peer;
  try {
    peer = ReadStatus(reply);
  } catch (const PayloadEnded&) {
    return;
  }
  match_.PeerPendingUpdate = peer.PendingUpdate;
  round_.OpponentScore = peer.Score;
  match_.OpponentCameraX = peer.CameraXInt;
  match_.OpponentCursorX = peer.CursorX;
  match_.OpponentCursorY = peer.CursorY;
  match_.OpponentTickCount = peer.TickCount;

  // The host's records go first when both sides have some.
  const std::int32_t peerRecords = match_.PeerPendingUpdate;
  if (isHost_ == 1) {
    SendUpdates();
    ReceiveUpdates(peerRecords);
  } else {
    ReceiveUpdates(peerRecords);
    SendUpdates();
  }
  if (match_.PeerEndState == EndOver) return;

  // The side that simulated fewer ticks runs the missing ones in its next frames.
  round_.CatchingUp = 1;
  while (round_.TickCount < match_.OpponentTickCount) {
    round_.TickAccumulator += 5;
    round_.TickCount += 1;
  }
  round_.TickCount = 0;
  round_.CatchingUp = 0;
  match_.ExchangeTick = round_.TicksRun;
  match_.ExchangeTargets = targets_.Targets;
}

void TwoPlayerProtocol::AnnounceUpdate(std::int32_t Kind, std::int32_t Slot) {
  const PendingRecord record{Kind, Slot};
  if (std::find(match_.PendingUpdates.begin(), match_.PendingUpdates.end(), record) == match_.PendingUpdates.end())
    match_.PendingUpdates.push_back(record);
}

void TwoPlayerProtocol::SendUpdates() {
  std::vector<PendingRecord> records;
  records.swap(match_.PendingUpdates);
  for (const PendingRecord& record : records) SendUpdate(record);
}

void TwoPlayerProtocol::ReceiveUpdates(std::int32_t Count) {
  for (std::int32_t i = 0; i < Count && match_.PeerEndState != EndOver; ++i) ReceiveUpdate();
  match_.PeerPendingUpdate = 0;
}

// The record goes as it stands now: the other side is at the same tick.
void TwoPlayerProtocol::SendUpdate(const PendingRecord& Record) {
  SyncBarrier();
  ExchangeText('q', AnnouncementPayload(Record.Kind, Record.Slot, targets_.SpawnCounter));
  if (Record.Kind == 2 && Record.Slot >= 1 && Record.Slot <= GroundFigureSlots) {
    ExchangeText('w', FigurePayload(targets_.GroundFigures[static_cast<std::size_t>(Record.Slot)]));
  } else if (Record.Kind == 1 && Record.Slot >= 1 && Record.Slot <= TargetSlots) {
    TargetRecord& target = targets_.Targets[static_cast<std::size_t>(Record.Slot)];
    ExchangeText('w', TargetPayload(target));
    // The other side got these in thousandths: both go on from the same values.
    target.DX = FromThousandths(Thousandths(target.DX));
    target.DY = FromThousandths(Thousandths(target.DY));
    target.X = FromThousandths(Thousandths(target.X));
    target.Y = FromThousandths(Thousandths(target.Y));
  } else {
    ExchangeText('w', "");
  }
}

// A record cut short, for a slot that does not exist, or that the game could not draw, changes nothing.
void TwoPlayerProtocol::ReceiveUpdate() {
  SyncBarrier();
  std::int32_t kind = 0;
  std::int32_t slot = 0;
  try {
    FieldReader announcement(ExchangeText('q', ""));
    kind = announcement.Next();
    slot = announcement.Next();
    targets_.SpawnCounter = announcement.Next();
  } catch (const PayloadEnded&) {
    return;
  }
  const std::string record = ExchangeText('w', "");
  try {
    if (kind == 2) {
      GroundFigureRecord figure;
      ReadFigure(record, figure);
      if (slot < 1 || slot > GroundFigureSlots || !Drawable(figure)) return;
      targets_.GroundFigures[static_cast<std::size_t>(slot)] = figure;
      if (figure.State == FigureHit) opponentHit_();
    } else if (kind == 1) {
      TargetRecord target =
          slot >= 1 && slot <= TargetSlots ? targets_.Targets[static_cast<std::size_t>(slot)] : TargetRecord{};
      ReadTarget(record, target);
      if (slot < 1 || slot > TargetSlots || !Drawable(target)) return;
      targets_.Targets[static_cast<std::size_t>(slot)] = target;
      if (target.State == TargetFalling) opponentHit_();
    }
  } catch (const PayloadEnded&) {
  }
}
