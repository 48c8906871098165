#pragma once
// The pictures stored with the start screen: the title logo, the round emblem and the background
// artwork, as the bytes of their BMP files, built into the program.

#include <cstdint>
#include <span>

std::span<const std::uint8_t> StartLogoPicture();
std::span<const std::uint8_t> StartEmblemPicture();
std::span<const std::uint8_t> StartBackgroundPicture();
