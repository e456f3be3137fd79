#pragma once

#include "labels/DrawSurface.h"
#include "labels/PrintDevice.h"

#include <cmath>
#include <string>
#include <vector>

// A deterministic surface: every character (code point) is as many units wide as the font's
// character height in device units, and a line is that height × 1.2 high. It records what
// is asked of it.
class RecordingSurface : public DrawSurface {
public:
    struct Out {
        int x, y;
        std::string text;
        int pixels; // character height of the font it was drawn with
    };
    struct Frame {
        DeviceRect rect;
        StockBrush brush;
    };

    int dpi = 72;
    int externalLeading = 0;

    std::vector<int> fontHeights;      // the description's height (tenths) per selectFont
    std::vector<std::string> measured; // every string measured, in order
    std::vector<Out> outs;
    std::vector<Frame> frames;
    std::vector<std::uint32_t> colours;
    bool transparent = false;

    int pixels() const { return pixelsNow; }

    void setTransparentBackground() override { transparent = true; }
    void setTextColour(std::uint32_t c) override { colours.push_back(c); }
    bool selectFont(const LabelFont& font) override {
        fontHeights.push_back(font.height);
        const int px = static_cast<int>(std::lround(font.height * double(dpi) / 720.0));
        if (px <= 0)
            return false;
        pixelsNow = px;
        return true;
    }
    TextExtent textExtent(std::string_view text) override {
        measured.emplace_back(text);
        return {characters(text) * pixelsNow, lineHeight()};
    }
    TextMetrics textMetrics() override { return {lineHeight(), pixelsNow, externalLeading}; }
    void textOut(int x, int y, std::string_view text) override {
        outs.push_back({x, y, std::string(text), pixelsNow});
    }
    void frameRect(const DeviceRect& rect, StockBrush brush) override {
        frames.push_back({rect, brush});
    }
    int deviceCaps(DeviceCap cap) const override {
        return cap == DeviceCap::LogPixelsX || cap == DeviceCap::LogPixelsY ? dpi : 0;
    }

    static int characters(std::string_view text) {
        int n = 0;
        for (char c : text)
            n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return n;
    }

private:
    int lineHeight() const { return pixelsNow * 6 / 5; }
    int pixelsNow = 0;
};

// A print device that records the job's calls and keeps each page's drawing apart.
class RecordingPrintDevice : public PrintDevice {
public:
    explicit RecordingPrintDevice(int resolution = 600) { setResolution(resolution); }

    void setResolution(int dpi) {
        logPixels = dpi;
        for (auto& p : pages)
            p.dpi = dpi;
    }

    int offsetX = 0, offsetY = 0;
    int paperTenths[2] = {2100, 2970}; // A4; 0 for a device that does not know its paper
    int startDocResult = 1;
    int endDocResult = 1;
    int refusePage = 0; // endPage of this page (1-based) returns 0

    std::vector<std::string> calls;
    std::vector<RecordingSurface> pages;

    int startDoc(const QString&) override {
        calls.push_back("startDoc");
        return startDocResult;
    }
    int startPage() override {
        calls.push_back("startPage");
        pages.emplace_back();
        pages.back().dpi = logPixels;
        return 1;
    }
    int endPage() override {
        calls.push_back("endPage");
        return static_cast<int>(pages.size()) == refusePage ? 0 : 1;
    }
    int endDoc() override {
        calls.push_back("endDoc");
        return endDocResult;
    }
    int abortDoc() override {
        calls.push_back("abortDoc");
        return 1;
    }
    int deviceCaps(DeviceCap cap) const override {
        switch (cap) {
        case DeviceCap::LogPixelsX:
        case DeviceCap::LogPixelsY:
            return logPixels;
        case DeviceCap::PhysicalOffsetX:
            return offsetX;
        case DeviceCap::PhysicalOffsetY:
            return offsetY;
        case DeviceCap::PhysicalWidth:
            return static_cast<int>(std::int64_t{paperTenths[0]} * logPixels / 254);
        case DeviceCap::PhysicalHeight:
            return static_cast<int>(std::int64_t{paperTenths[1]} * logPixels / 254);
        }
        return 0;
    }
    DrawSurface& surface() override { return pages.back(); }

private:
    int logPixels = 600;
};
