#pragma once
// What a real opponent can send. Every value from the other side is checked against the range the
// game itself can produce before anything uses it: a value outside it comes from a broken or
// hostile copy, and taken as it stands it could hold the catch-up, a slot or the drawing for the
// rest of the round.

#include <cstdint>

#include "MessageText.h"
#include "Targets.h"

// Ticks run between two statuses: every status comes at the same tick of the 21-tick cycle.
inline constexpr std::int32_t TicksBetweenStatuses = 21;
// Every record that can change between two exchanges is announced at most once.
inline constexpr std::int32_t MostRecordsAnnounced = TargetSlots + GroundFigureSlots;

// All but the tick count, which only the catch-up reads: at the round's end, after an exchange cut
// short by the end signal, it has grown past an exchange's worth.
bool Plausible(const StatusFields& Status);
// Whether a record from the other side can be drawn and shot at: a kind of 1 to 3, a state the
// game knows, a frame within its pictures.
bool Drawable(const TargetRecord& Target);
bool Drawable(const GroundFigureRecord& Figure);
bool PlausibleTickCount(std::int32_t TickCount);
// Kind, state and frame within the pictures, positions and labels within what the movement
// reaches.
bool Plausible(const TargetRecord& Target);
bool Plausible(const GroundFigureRecord& Figure);
// A record kind the game sends: 1 stork, 2 ground figure.
bool PlausibleRecordKind(std::int32_t Kind);
// The host's count of spawns, which this side counts on from.
bool PlausibleSpawnCounter(std::int32_t SpawnCounter);
