// Writing an RGBA image as a PNG file, uncompressed, with nothing but the standard library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// rgba holds height rows of width pixels, 4 bytes each, top row first.
// Nothing (an empty string) when it does not, or for an empty image.
[[nodiscard]] std::string PngBytes(int width, int height, const std::vector<std::uint8_t>& rgba);

// False when the file could not be written in full.
[[nodiscard]] bool WritePngFile(const std::filesystem::path& path, int width, int height,
                                const std::vector<std::uint8_t>& rgba);
