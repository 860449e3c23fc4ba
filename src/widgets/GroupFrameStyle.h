#pragma once
// The application's style for group boxes, with Fusion's group frame painted rather than read from
// Fusion's image: the first picture a program reads from a file makes Qt load every image-format
// plugin to ask which one reads it, a millisecond of the start-up for two thin frames. Every other
// drawing, and every other style's frame, is the application style's own.

#include <QProxyStyle>

namespace vp {

class GroupFrameStyle : public QProxyStyle {
public:
    // The one instance, made on first use and kept as long as the application: the group boxes
    // that use it may outlive any window member.
    static GroupFrameStyle* shared();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    // A style of the application style's kind: a proxy owns its base.
    GroupFrameStyle();

    bool paintsFrames_ = false;
};

} // namespace vp
