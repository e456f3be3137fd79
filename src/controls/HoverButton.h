#pragma once

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QPushButton>
#include <QSize>
#include <optional>

// A flat push button drawn by the program: a small picture and the caption on a light-grey
// face, the caption's colour telling the state. It sizes itself to picture and caption each
// time it is drawn, so whoever places it gives only its position.
class CHoverButton : public QPushButton {
    Q_OBJECT
public:
    enum Layout : int { NoPicture = 0, PictureAbove = 1, PictureLeft = 2 };

    struct Geometry {
        int width = 0;
        int height = 0;
        QPoint caption;
        QPoint picture;
    };

    static constexpr int kMargin = 7;
    static constexpr QRgb kFace = qRgb(230, 230, 230);
    static constexpr QRgb kCaptionNormal = qRgb(80, 80, 80);
    static constexpr QRgb kCaptionHover = qRgb(0, 0, 255);
    static constexpr QRgb kCaptionPressed = qRgb(255, 255, 255);
    static constexpr QRgb kCaptionDisabled = qRgb(140, 140, 140);

    explicit CHoverButton(QWidget* parent = nullptr);
    CHoverButton(const QString& caption, QWidget* parent = nullptr);

    // Takes the picture of a bitmap resource (Artwork::bitmap) and the layout; layout 0 keeps
    // no picture. A resource that does not exist leaves the button without one.
    bool LoadButtonBitmap(int bitmapId, int layout);
    // The same with a picture at hand.
    bool LoadButtonBitmap(const QPixmap& picture, int layout);
    // Sets the one tooltip's text (a second call replaces it); nothing happens without text.
    void SetToolTipText(const std::optional<QString>& text, bool activate);

    // Where caption and picture go for a caption of textSize and a picture of bitmapSize.
    static Geometry ComputeLayout(int layout, QSize textSize, QSize bitmapSize);
    // Pure greys 128, 192 and 223 become the given shadow, face and light colours.
    static QImage mapSystemColours(QImage image, QColor shadow, QColor face, QColor light);

    bool hover() const { return hoverFlag; }
    int layout() const { return layoutKind; }
    int drawnWidth() const { return drawnW; }
    int drawnHeight() const { return drawnH; }
    const QPixmap& picture() const { return bitmap; }
    QString toolTipText() const { return tipText; }
    bool toolTipActive() const { return tipActive; }
    // The caption colour for the button's current state.
    QColor captionColour() const;
    // The size the next draw gives the button.
    QSize layoutSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Geometry currentGeometry() const;

    bool hoverFlag = false;
    bool tracking = false;
    int drawnW = 0;
    int drawnH = 0;
    QPixmap bitmap;
    int layoutKind = NoPicture;
    QString tipText;
    bool tipActive = false;
};
