#pragma once

#include "labels/LabelFont.h"

#include <cstdint>
#include <string_view>

// A rectangle in device units; right and bottom are exclusive.
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const DeviceRect&) const = default;
};

struct TextExtent {
    int cx = 0;
    int cy = 0;
};

struct TextMetrics {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmExternalLeading = 0;
};

enum class StockBrush { Black, DarkGrey, Grey, LightGrey };

// PhysicalWidth/Height: the whole paper (or surface) in device units; 0 when not known.
enum class DeviceCap {
    LogPixelsX,
    LogPixelsY,
    PhysicalOffsetX,
    PhysicalOffsetY,
    PhysicalWidth,
    PhysicalHeight
};

// What fitting and drawing label text needs from a device: the printer page, the PDF page
// and the on-screen sample all draw through this. Coordinates are device units; text is UTF-8.
class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    // Text is drawn without filling its background.
    virtual void setTransparentBackground() = 0;
    // Text colour as 0x00BBGGRR.
    virtual void setTextColour(std::uint32_t colour) = 0;
    // Makes the font described and uses it for measuring and drawing; false when it cannot
    // be made, leaving the previous font in use.
    virtual bool selectFont(const LabelFont& font) = 0;
    virtual TextExtent textExtent(std::string_view text) = 0;
    virtual TextMetrics textMetrics() = 0;
    // Draws text with the top-left corner of its first character cell at (x, y).
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // A one-unit outline just inside the rectangle.
    virtual void frameRect(const DeviceRect& rect, StockBrush brush) = 0;
    virtual int deviceCaps(DeviceCap cap) const = 0;
};

// Stock brush colours as 0x00BBGGRR.
constexpr std::uint32_t stockBrushColour(StockBrush brush) {
    switch (brush) {
    case StockBrush::Black:
        return 0x000000;
    case StockBrush::DarkGrey:
        return 0x404040;
    case StockBrush::Grey:
        return 0x808080;
    case StockBrush::LightGrey:
        return 0xC0C0C0;
    }
    return 0;
}
