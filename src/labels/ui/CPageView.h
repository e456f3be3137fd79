#pragma once

#include "labels/DimensionValues.h"

#include <QWidget>

// The miniature sheet on the Dimensions page, drawn from the values the page last took
// from its fields.
class CPageView : public QWidget {
    Q_OBJECT
public:
    explicit CPageView(const DimensionValues& values, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DimensionValues& values;
};
