#pragma once
// The texts two copies of the game send each other: one letter for the kind and a payload of
// decimal fields, each ended by "|". Reals travel as whole thousandths. On the wire a text stands
// between four zero bytes and one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Targets.h"
#include "lib/runtime/Exception.h"

inline constexpr std::size_t MessageBufferSize = 260;
inline constexpr std::size_t LongestMessageText = 255;

// A payload field that is no decimal integer.
class EConvertError : public Exception {
 public:
  explicit EConvertError(const std::string& Field) : Exception("'" + Field + "' ist kein g\xFCltiger Integerwert") {}
};

// A payload that ended before all its fields: the transfer it belongs to is abandoned.
struct PayloadEnded {};

// The bytes of a message: four zero bytes, the text (at most 255 characters), a zero byte.
std::vector<std::uint8_t> MessageBytes(const std::string& Text);
// What arrived, as text: every byte below 32 (the wire's zeros and any other control) vanishes.
std::string CleanedText(const std::uint8_t* Bytes, std::size_t Count);

// Reads a payload's fields in order.
class FieldReader {
 public:
  explicit FieldReader(std::string Payload) : payload_(std::move(Payload)) {}
  // The next field; raises PayloadEnded when no "|" is left, EConvertError for no integer.
  std::int32_t Next();
  double NextReal() { return Next() / 1000.0; }

 private:
  std::string payload_;
  std::size_t at_ = 0;
};

// Real values as they travel: whole thousandths.
std::int32_t Thousandths(double Value);
double FromThousandths(std::int32_t Value);

struct StatusFields {
  std::int32_t PendingUpdate = 0;
  std::int32_t Score = 0;
  std::int32_t CameraXInt = 0;
  std::int32_t CursorX = 0;
  std::int32_t CursorY = 0;
  std::int32_t TickCount = 0;
};
std::string StatusPayload(const StatusFields& Status);
StatusFields ReadStatus(const std::string& Payload);

// A stork's record: Direction (1 true, 2 false), Kind, Points, SpareInt, Frame, then DX, DY, X, Y,
// SpareReal, LabelY in thousandths, then ScreenX, ScreenY, State.
std::string TargetPayload(const TargetRecord& Target);
// Overwrites Target's fields in the payload's order; a Direction field other than 1 or 2 leaves it.
void ReadTarget(const std::string& Payload, TargetRecord& Target);
// A ground figure's record: State, Frame, Age, X, ScreenX, then HitX and LabelY in thousandths.
std::string FigurePayload(const GroundFigureRecord& Figure);
void ReadFigure(const std::string& Payload, GroundFigureRecord& Figure);

// The fields of a spawn's announcement: kind, slot and the spawn counter.
std::string AnnouncementPayload(RecordKind Kind, std::int32_t Slot, std::int32_t SpawnCounter);
