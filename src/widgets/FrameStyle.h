#pragma once
// The application's style for the tab widget and the group boxes, with their frames painted cheaply.
// Fusion reads the group frame from an image, and the first picture a program reads from a file
// makes Qt load every image-format plugin to ask which one reads it; the frames' long antialiased
// or translucent lines make Qt's painter hand the work to freshly started threads. Here each frame
// is drawn once in a small sample, the way the style draws it, and painted from the sample: its
// corners copied, its edges and its inside filled with their opaque colours. Every other drawing,
// every other style's frames, and frames on a scaled screen are the application style's own.

#include <QImage>
#include <QProxyStyle>

#include <vector>

namespace vp {

class FrameStyle : public QProxyStyle {
public:
    // The one instance, made on first use and kept as long as the application: the widgets that
    // use it may outlive any window member.
    static FrameStyle* shared();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    // A style of the application style's kind: a proxy owns its base.
    FrameStyle();

    // Fusion's group frame, drawn directly (the style's own reads an image).
    void drawGroupFrame(const QStyleOption& option, QPainter& painter, const QWidget* widget) const;
    // The frame as `draw` paints it into `option`'s rectangle, painted from a sample cached by the
    // element, the option's palette and state, and the tab shape (0 for other frames); false where
    // a sample cannot stand for the frame.
    template <typename Draw>
    bool paintFromSample(PrimitiveElement element, const QStyleOption& option, int shape, QPainter& painter,
                         Draw draw) const;

    struct Sample {
        PrimitiveElement element;
        qint64 palette;
        int state;
        int shape;
        QImage image;
    };

    bool isFusion_ = false;
    mutable std::vector<Sample> samples_;
};

} // namespace vp
