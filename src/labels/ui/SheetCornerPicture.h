#pragma once

#include <QWidget>

// The picture on the Dimensions page: the top-left corner of a sheet of rounded labels,
// with arrows naming each of the page's fields.
class SheetCornerPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 290;
    static constexpr int kHeight = 156;

    explicit SheetCornerPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
