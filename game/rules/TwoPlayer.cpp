#include "TwoPlayer.h"

#include <algorithm>

#include "GameClock.h"
#include "GameMath.h"
#include "MessageText.h"
#include "PeerValues.h"

namespace {

// How long one look for traffic may take while an exchange waits.
constexpr std::int32_t TrafficWaitMilliseconds = 50;

std::int32_t ValueOf(const std::string& Payload) {
  if (Payload.empty()) return 0;
  return FieldReader(Payload + "|").Next();
}

}  // namespace

TwoPlayerProtocol::TwoPlayerProtocol(MessageChannel& Channel, MatchState& Match, RoundState& Round,
                                     TargetState& Targets, MatchWindow& Window, std::function<void()> OpponentHit)
    : channel_(Channel),
      match_(Match),
      round_(Round),
      targets_(Targets),
      window_(Window),
      opponentHit_(std::move(OpponentHit)) {}

void TwoPlayerProtocol::SendText(const std::string& Text) { channel_.Send(Text); }

// Once the other player is gone it is over for good: no later state of the match brings it back.
void TwoPlayerProtocol::NoteGone() {
  if (match_.Gone == OpponentGone::No) match_.Gone = channel_.Gone();
  if (match_.Gone != OpponentGone::No) match_.PeerEndState = EndState::Over;
}

void TwoPlayerProtocol::Broken() {
  if (match_.Gone == OpponentGone::No) match_.Gone = OpponentGone::Broken;
  match_.PeerEndState = EndState::Over;
}

std::optional<std::string> TwoPlayerProtocol::TakeText() {
  std::optional<std::string> text = channel_.Poll();
  if (text) {
    heard_ = Now();
    match_.LastText = *text;
    if (!text->empty() && text->front() == '@') match_.PeerEndState = EndState::Over;
  }
  NoteGone();
  return text;
}

const std::string& TwoPlayerProtocol::ReceiveText() {
  TakeText();
  return match_.LastText;
}

bool TwoPlayerProtocol::SilentTooLong() {
  if (Now() - heard_ <= SilenceLimitMilliseconds) return false;
  match_.Gone = OpponentGone::Silent;
  match_.PeerEndState = EndState::Over;
  return true;
}

// A field cut short or no number: the line is broken, and a field that is no number says so in
// the runtime's words.
template <class Read>
bool TwoPlayerProtocol::ReadFields(Read&& ReadThem) {
  try {
    ReadThem();
    return true;
  } catch (const PayloadEnded&) {
  } catch (const EConvertError& e) {
    window_.ShowError(e);
  }
  Broken();
  return false;
}

// While both sides settle, the end signals that are still under way say nothing new.
bool TwoPlayerProtocol::Interrupted() const {
  return localLeft_ || match_.Gone != OpponentGone::No || (!settling_ && match_.PeerEndState == EndState::Over);
}

bool TwoPlayerProtocol::ServeWindow(Awaited For, std::int64_t Since) {
  if (For == Awaited::Person) return window_.ServeWhilePlayerAwaited();
  if (Now() - Since < UnservedWindowMilliseconds) return false;
  return window_.ServeSystemEvents();
}

// Everything that waits is taken in one pass: the network service wakes a wait only for what is
// new, so texts left waiting would each cost a wake-up of their own.
std::string TwoPlayerProtocol::WaitForMessage(char Letter, Awaited For) {
  const std::int64_t since = Now();
  heard_ = since;
  for (;;) {
    while (const std::optional<std::string> text = TakeText()) {
      if (!text->empty() && text->front() == Letter) return text->substr(1);
      if (Interrupted()) return "0";
    }
    if (Interrupted() || (For == Awaited::Answer && SilentTooLong())) return "0";
    if (ServeWindow(For, since)) {
      localLeft_ = true;
      return "0";
    }
    channel_.WaitForTraffic(TrafficWaitMilliseconds);
  }
}

std::int32_t TwoPlayerProtocol::ExchangeValue(char Letter, std::int32_t Value) {
  SendText(Letter + std::to_string(Value));
  const std::string payload = WaitForMessage(Letter);
  std::int32_t result = 0;
  ReadFields([&] { result = ValueOf(payload); });
  if (!Interrupted()) {
    SendText("~");
    WaitForMessage('~');
  }
  return result;
}

// The "~" goes with the text, not after the other side's: it says nothing this side learns from
// that text, and the other side takes both in the order they come. So the two texts of each side
// cross each other once, in one trip of the line instead of two.
std::string TwoPlayerProtocol::ExchangeText(char Letter, const std::string& Text) {
  SendText(Letter + Text);
  SendText("~");
  std::string payload = WaitForMessage(Letter);
  WaitForMessage('~');
  return payload;
}

void TwoPlayerProtocol::SyncBarrier(Awaited For) {
  SendText("#");
  WaitForMessage('#', For);
}

void TwoPlayerProtocol::ExchangeStatus() {
  if (!TradeStatusAndRecords()) return;
  if (!PlausibleTickCount(match_.OpponentTickCount)) return Broken();
  CatchUp();
  match_.ExchangeTick = round_.TicksRun;
  match_.ExchangeTargets = targets_.Targets;
}

// Once the statuses have crossed, all that this side says in the record transfers is known: its
// own records, and for each of the other side's the same empty answers. All of it goes at once, in
// the order the transfers run one after the other, and the other side's texts are then taken in
// that order. The transfers cost one more trip of the line, however many records there are.
bool TwoPlayerProtocol::TradeStatusAndRecords() {
  StatusFields own;
  own.PendingUpdate = static_cast<std::int32_t>(match_.PendingUpdates.size());
  own.Score = round_.Score;
  own.CameraXInt = round_.CameraXInt;
  own.CursorX = round_.CursorX;
  own.CursorY = round_.CursorY;
  own.TickCount = round_.TickCount;
  const std::string reply = ExchangeText('y', StatusPayload(own));
  if (Interrupted()) return false;
  TakeStatus(reply);
  if (Interrupted()) return false;

  // The host's records go first when both sides have some.
  const std::int32_t peerRecords = match_.PeerPendingUpdate;
  std::vector<PendingRecord> records;
  records.swap(match_.PendingUpdates);
  if (isHost_) {
    for (const PendingRecord& record : records) SendUpdate(record);
    for (std::int32_t i = 0; i < peerRecords; ++i) AnswerUpdate();
    for (std::size_t i = 0; i < records.size(); ++i) TakeAnswers();
    ReceiveUpdates(peerRecords);
  } else {
    for (std::int32_t i = 0; i < peerRecords; ++i) AnswerUpdate();
    for (const PendingRecord& record : records) SendUpdate(record);
    ReceiveUpdates(peerRecords);
    for (std::size_t i = 0; i < records.size(); ++i) TakeAnswers();
  }
  return !Interrupted();
}

void TwoPlayerProtocol::TakeStatus(const std::string& Reply) {
  StatusFields peer;
  if (!ReadFields([&] { peer = ReadStatus(Reply); })) return;
  if (!Plausible(peer)) return Broken();
  match_.PeerPendingUpdate = peer.PendingUpdate;
  round_.OpponentScore = peer.Score;
  match_.OpponentCameraX = peer.CameraXInt;
  match_.OpponentCursorX = peer.CursorX;
  match_.OpponentCursorY = peer.CursorY;
  match_.OpponentTickCount = peer.TickCount;
}

// The side that simulated fewer ticks runs the missing ones in its next frames.
void TwoPlayerProtocol::CatchUp() {
  round_.CatchingUp = true;
  while (round_.TickCount < match_.OpponentTickCount) {
    round_.TickAccumulator += 5;
    round_.TickCount += 1;
  }
  round_.TickCount = 0;
  round_.CatchingUp = false;
}

void TwoPlayerProtocol::AnnounceUpdate(RecordKind Kind, std::int32_t Slot) {
  const PendingRecord record{Kind, Slot};
  if (std::find(match_.PendingUpdates.begin(), match_.PendingUpdates.end(), record) == match_.PendingUpdates.end())
    match_.PendingUpdates.push_back(record);
}

void TwoPlayerProtocol::ReceiveUpdates(std::int32_t Count) {
  for (std::int32_t i = 0; i < Count && !Interrupted(); ++i) ReceiveUpdate();
  match_.PeerPendingUpdate = 0;
}

// The record goes as it stands now: the other side is at the same tick. Barrier, announcement and
// record, each text with its "~".
void TwoPlayerProtocol::SendUpdate(const PendingRecord& Record) {
  ++match_.RecordTransfers;
  SendText("#");
  SendText('q' + AnnouncementPayload(Record.Kind, Record.Slot, targets_.SpawnCounter));
  SendText("~");
  if (Record.Kind == RecordKind::Figure && Record.Slot >= 1 && Record.Slot <= GroundFigureSlots) {
    SendText('w' + FigurePayload(targets_.GroundFigures[static_cast<std::size_t>(Record.Slot)]));
  } else if (Record.Kind == RecordKind::Stork && Record.Slot >= 1 && Record.Slot <= TargetSlots) {
    TargetRecord& target = targets_.Targets[static_cast<std::size_t>(Record.Slot)];
    SendText('w' + TargetPayload(target));
    // The other side got these in thousandths: both go on from the same values.
    target.DX = FromThousandths(Thousandths(target.DX));
    target.DY = FromThousandths(Thousandths(target.DY));
    target.X = FromThousandths(Thousandths(target.X));
    target.Y = FromThousandths(Thousandths(target.Y));
  } else {
    SendText("w");
  }
  SendText("~");
}

// This side's half of a transfer of the other side's record: empty, whatever the record is.
void TwoPlayerProtocol::AnswerUpdate() {
  for (const char* text : {"#", "q", "~", "w", "~"}) SendText(text);
}

// The other side's half of a transfer of this side's record says nothing either.
void TwoPlayerProtocol::TakeAnswers() {
  for (const char letter : {'#', 'q', '~', 'w', '~'}) WaitForMessage(letter);
}

// The record's half of the transfer is taken whatever its announcement said, so that the texts
// after it are taken in their turn.
void TwoPlayerProtocol::ReceiveUpdate() {
  ++match_.RecordTransfers;
  WaitForMessage('#');
  const std::string announcement = WaitForMessage('q');
  WaitForMessage('~');
  const std::string record = WaitForMessage('w');
  WaitForMessage('~');
  if (Interrupted()) return;
  ReadFields([&] {
    FieldReader reader(announcement);
    const std::int32_t kind = reader.Next();
    const std::int32_t slot = reader.Next();
    const std::int32_t spawnCounter = reader.Next();
    if (!PlausibleRecordKind(kind) || !PlausibleSpawnCounter(spawnCounter)) return Broken();
    targets_.SpawnCounter = spawnCounter;
    StoreRecord(static_cast<RecordKind>(kind), slot, record);
  });
}

// A record for a slot that does not exist is passed over.
void TwoPlayerProtocol::StoreRecord(RecordKind Kind, std::int32_t Slot, const std::string& Record) {
  if (Kind == RecordKind::Figure) {
    GroundFigureRecord figure;
    ReadFigure(Record, figure);
    if (Slot < 1 || Slot > GroundFigureSlots) return;
    if (!Plausible(figure)) return Broken();
    targets_.GroundFigures[static_cast<std::size_t>(Slot)] = figure;
    if (figure.State == FigureHit) opponentHit_();
    return;
  }
  const bool exists = Slot >= 1 && Slot <= TargetSlots;
  TargetRecord target = exists ? targets_.Targets[static_cast<std::size_t>(Slot)] : TargetRecord{};
  ReadTarget(Record, target);
  if (!exists) return;
  if (!Plausible(target)) return Broken();
  targets_.Targets[static_cast<std::size_t>(Slot)] = target;
  if (target.State == TargetFalling) opponentHit_();
}

void TwoPlayerProtocol::SignalEnd() {
  SendText("@0");
  match_.OwnEndState = EndState::Over;
  heard_ = Now();
}

bool TwoPlayerProtocol::EndHeard() {
  while (!PeerOver() && TakeText()) {
  }
  return PeerOver() || SilentTooLong();
}

// A hit in the last ticks before the other side's end signal would otherwise never reach it.
void TwoPlayerProtocol::Settle() {
  if (localLeft_ || match_.Gone != OpponentGone::No) return;
  settling_ = true;
  TradeStatusAndRecords();
  settling_ = false;
}

// What follows the other side's signal belongs to the next round: it stays where it is.
bool TwoPlayerProtocol::RestartHeard() {
  while (!match_.PeerRestartHeard) {
    const std::optional<std::string> text = TakeText();
    if (!text) break;
    if (!text->empty() && text->front() == '>') match_.PeerRestartHeard = true;
  }
  return match_.PeerRestartHeard;
}
