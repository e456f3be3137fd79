#pragma once

#include "labels/DrawSurface.h"

#include <QFont>
#include <QFontMetrics>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

class QPainter;
class QPaintDevice;

// The drawing surface over a QPainter, on any paint device: a widget, a printer, a PDF.
// Fonts and their metrics are kept per description, so that a print job builds each size
// once rather than once per label.
class QtDrawSurface : public DrawSurface {
public:
    explicit QtDrawSurface(QPainter& painter);
    ~QtDrawSurface() override;

    void setTransparentBackground() override;
    void setTextColour(std::uint32_t colour) override;
    bool selectFont(const LabelFont& font) override;
    TextExtent textExtent(std::string_view text) override;
    TextMetrics textMetrics() override;
    void textOut(int x, int y, std::string_view text) override;
    void frameRect(const DeviceRect& rect, StockBrush brush) override;
    int deviceCaps(DeviceCap cap) const override;

    // The character height in device pixels for a height in tenths of a point.
    static int pixelSize(int heightTenths, int dpiY);

    // Fonts made so far; a job keeps this bounded by the number of sizes it tries.
    std::size_t cachedFonts() const { return fonts.size(); }

private:
    struct Entry {
        QFont font;
        QFontMetrics metrics;
        int ascent;
        int height;
        int leading;
    };
    struct Key {
        std::string face;
        int pixels;
        bool bold;
        bool italic;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };

    // The last few widths measured: fitting measures a label's lines again at the size it
    // settles on, and drawing measures them once more. A fixed ring, so a job's memory does
    // not grow with its length.
    struct Measured {
        const Entry* font = nullptr;
        std::string text;
        int cx = 0;
    };
    static constexpr std::size_t kMeasuredSlots = 16;

    QPainter& painter;
    QPaintDevice* device;
    std::unordered_map<Key, std::unique_ptr<Entry>, KeyHash> fonts;
    const Entry* current = nullptr;
    const Entry* painterFont = nullptr; // the font last handed to the painter
    std::array<Measured, kMeasuredSlots> measured;
    std::size_t nextSlot = 0;
    QString scratch; // reused for every string, to spare an allocation per measurement
};
