// Bitmap files for tests: 24-bit, uncompressed, with every pixel's colour chosen.
#pragma once

#include <functional>
#include <string>

#include <windows.h>

namespace testing_support {

// A 24-bit bitmap file; colorAt gives the colour of the pixel in column x and row y,
// counted from the top left.
inline std::string BitmapFile(int width, int height, const std::function<COLORREF(int x, int y)>& colorAt)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * height);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = height - 1; y >= 0; --y) {  // the file holds the bottom row first
        std::string row(static_cast<std::size_t>(rowBytes), '\0');
        for (int x = 0; x < width; ++x) {
            const COLORREF color = colorAt(x, y);
            row[static_cast<std::size_t>(x * 3)] = static_cast<char>(GetBValue(color));
            row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(GetGValue(color));
            row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(GetRValue(color));
        }
        bytes += row;
    }
    return bytes;
}

// A bitmap file of one colour.
inline std::string BitmapFile(int width, int height, COLORREF color)
{
    return BitmapFile(width, height, [color](int, int) { return color; });
}

}  // namespace testing_support
