#pragma once

#include "labels/DimensionValues.h"

#include <QSizeF>
#include <QWidget>

// The miniature sheet on the Dimensions page, drawn from the values the page last took
// from its fields.
class CPageView : public QWidget {
    Q_OBJECT
public:
    explicit CPageView(const DimensionValues& values, QWidget* parent = nullptr);

    // The paper the sheet is drawn on, in millimetres; A4 until set.
    void setPaper(QSizeF mm);
    QSizeF paper() const { return paper_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DimensionValues& values;
    QSizeF paper_{210.0, 297.0};
};
