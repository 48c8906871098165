#include "MessageText.h"

#include <charconv>

#include "GameMath.h"

std::vector<std::uint8_t> MessageBytes(const std::string& Text) {
  const std::string text = Text.substr(0, LongestMessageText);
  std::vector<std::uint8_t> bytes(4 + text.size() + 1, 0);
  std::copy(text.begin(), text.end(), bytes.begin() + 4);
  return bytes;
}

std::string CleanedText(const std::uint8_t* Bytes, std::size_t Count) {
  std::string text;
  for (std::size_t i = 0; i < Count; ++i)
    if (Bytes[i] >= 32) text += static_cast<char>(Bytes[i]);
  return text;
}

std::int32_t FieldReader::Next() {
  const std::size_t end = payload_.find('|', at_);
  if (end == std::string::npos) throw PayloadEnded{};
  const std::string field = payload_.substr(at_, end - at_);
  at_ = end + 1;
  std::int32_t value = 0;
  // The runtime's conversion takes a sign and decimal digits, nothing else.
  const char* first = field.data();
  const char* last = field.data() + field.size();
  if (first != last && *first == '+') ++first;
  const auto [stop, error] = std::from_chars(first, last, value);
  if (field.empty() || error != std::errc() || stop != last) throw EConvertError(field);
  return value;
}

std::int32_t Thousandths(double Value) { return Round(Value * 1000); }
double FromThousandths(std::int32_t Value) { return Value / 1000.0; }

namespace {

class PayloadWriter {
 public:
  PayloadWriter& Field(std::int32_t Value) {
    text_ += std::to_string(Value) + "|";
    return *this;
  }
  PayloadWriter& Real(double Value) { return Field(Thousandths(Value)); }
  std::string Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace

std::string StatusPayload(const StatusFields& Status) {
  return PayloadWriter()
      .Field(Status.PendingUpdate)
      .Field(Status.Score)
      .Field(Status.CameraXInt)
      .Field(Status.CursorX)
      .Field(Status.CursorY)
      .Field(Status.TickCount)
      .Text();
}

StatusFields ReadStatus(const std::string& Payload) {
  FieldReader reader(Payload);
  StatusFields status;
  status.PendingUpdate = reader.Next();
  status.Score = reader.Next();
  status.CameraXInt = reader.Next();
  status.CursorX = reader.Next();
  status.CursorY = reader.Next();
  status.TickCount = reader.Next();
  return status;
}

std::string TargetPayload(const TargetRecord& Target) {
  return PayloadWriter()
      .Field(Target.Direction ? 1 : 2)
      .Field(Target.Kind)
      .Field(Target.Points)
      .Field(Target.SpareInt)
      .Field(Target.Frame)
      .Real(Target.DX)
      .Real(Target.DY)
      .Real(Target.X)
      .Real(Target.Y)
      .Real(Target.SpareReal)
      .Real(Target.LabelY)
      .Field(Target.ScreenX)
      .Field(Target.ScreenY)
      .Field(Target.State)
      .Text();
}

// Every field is read before any is written, so that a payload cut short changes nothing.
void ReadTarget(const std::string& Payload, TargetRecord& Target) {
  FieldReader reader(Payload);
  TargetRecord read = Target;
  const std::int32_t direction = reader.Next();
  if (direction == 1 || direction == 2) read.Direction = direction == 1;
  read.Kind = reader.Next();
  read.Points = reader.Next();
  read.SpareInt = reader.Next();
  read.Frame = reader.Next();
  read.DX = reader.NextReal();
  read.DY = reader.NextReal();
  read.X = reader.NextReal();
  read.Y = reader.NextReal();
  read.SpareReal = reader.NextReal();
  read.LabelY = reader.NextReal();
  read.ScreenX = reader.Next();
  read.ScreenY = reader.Next();
  read.State = reader.Next();
  Target = read;
}

std::string FigurePayload(const GroundFigureRecord& Figure) {
  return PayloadWriter()
      .Field(Figure.State)
      .Field(Figure.Frame)
      .Field(Figure.Age)
      .Field(Figure.X)
      .Field(Figure.ScreenX)
      .Real(Figure.HitX)
      .Real(Figure.LabelY)
      .Text();
}

void ReadFigure(const std::string& Payload, GroundFigureRecord& Figure) {
  FieldReader reader(Payload);
  GroundFigureRecord read;
  read.State = reader.Next();
  read.Frame = reader.Next();
  read.Age = reader.Next();
  read.X = reader.Next();
  read.ScreenX = reader.Next();
  read.HitX = reader.NextReal();
  read.LabelY = reader.NextReal();
  Figure = read;
}

std::string AnnouncementPayload(RecordKind Kind, std::int32_t Slot, std::int32_t SpawnCounter) {
  return PayloadWriter().Field(static_cast<std::int32_t>(Kind)).Field(Slot).Field(SpawnCounter).Text();
}
