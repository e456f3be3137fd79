#pragma once

#include "labels/FontsValues.h"
#include "labels/LabelLines.h"

#include <QWidget>
#include <cstdint>

// The sample label on the Fonts page: one label's lines fitted and drawn exactly as they
// will be printed, at actual size on a 96 dots-per-inch screen or reduced by `scale`. Face,
// style, colour and maximum size are read from the page's values.
class CFontSample : public QWidget {
    Q_OBJECT
public:
    explicit CFontSample(const FontsValues& page, QWidget* parent = nullptr);

    // The lines to show, owned by the page; nullptr shows only the background.
    void SetLines(const LabelLines* lines) { this->lines = lines; }
    const LabelLines* Lines() const { return lines; }

    std::uint8_t scale = 100;
    std::uint8_t alignment = 0;
    std::uint8_t textMargin = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const FontsValues& page;
    const LabelLines* lines = nullptr;
};
