#include "exercises/practice/TakeComparison.h"

#include "platform/widgets/Announcer.h"
#include "platform/widgets/TForm.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace lectern::exercises {

namespace {

const QColor modelColour(90, 170, 255);
const QColor takeColour(255, 150, 40);
// The pitch lane spans 60 to 600 Hz on a scale of semitones.
constexpr double lowHz = 60;
constexpr double highHz = 600;
// Shown from a little before the onset of speech.
constexpr double leadSeconds = 0.3;

int startOf(const platform::VoiceContour& contour) {
    return std::max(0, contour.onset) - int(leadSeconds / platform::VoiceContour::StepSeconds);
}

// Draws one contour into `lane`, x being time from the onset of speech.
void drawContour(QPainter& painter, const platform::VoiceContour& contour, bool pitch,
                 const QRectF& lane, double seconds, const QColor& colour) {
    const std::vector<float>& values = pitch ? contour.pitchHz : contour.levelDb;
    const int from = startOf(contour);
    QPainterPath path;
    bool drawing = false;
    for (int i = std::max(0, from); i < int(values.size()); ++i) {
        const double x =
            lane.left() + lane.width() * (i - from) * platform::VoiceContour::StepSeconds / seconds;
        if (x > lane.right())
            break;
        double share;
        if (pitch) {
            if (values[i] <= 0) {
                drawing = false;
                continue;
            }
            share = std::log(values[i] / lowHz) / std::log(highHz / lowHz);
        } else {
            share = (values[i] + 60) / 60;
        }
        const double y = lane.bottom() - lane.height() * std::clamp(share, 0.0, 1.0);
        if (drawing)
            path.lineTo(x, y);
        else
            path.moveTo(x, y);
        drawing = true;
    }
    painter.setPen(QPen(colour, pitch ? 3 : 2));
    painter.drawPath(path);
}

}  // namespace

TakeComparison::TakeComparison(platform::TForm& form)
    : QWidget(&form), shown_(*this, form, ShownMs) {
    setObjectName(QStringLiteral("TakeComparison"));
    setAccessibleName(QStringLiteral("Your take against the model"));
}

void TakeComparison::showContours(platform::VoiceContour model, platform::VoiceContour take) {
    model_ = std::move(model);
    take_ = std::move(take);
    QWidget* window = parentWidget();
    resize(std::min(640, window->width() - 40), 220);
    move((window->width() - width()) / 2, window->height() - height() - 110);
    shown_.show();
    update();
    platform::announce(this, QStringLiteral("Your take against the model"));
}

void TakeComparison::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0, 0, 0, 200));
    const QRectF inner = QRectF(rect()).adjusted(12, 28, -12, -10);
    const QRectF pitchLane(inner.left(), inner.top(), inner.width(), inner.height() * 0.62);
    const QRectF levelLane(inner.left(), pitchLane.bottom() + 8, inner.width(),
                           inner.bottom() - pitchLane.bottom() - 8);
    painter.fillRect(pitchLane, QColor(255, 255, 255, 20));
    painter.fillRect(levelLane, QColor(255, 255, 255, 20));

    const auto span = [](const platform::VoiceContour& c) {
        return (int(c.pitchHz.size()) - startOf(c)) * platform::VoiceContour::StepSeconds;
    };
    const double seconds = std::max({span(model_), span(take_), 0.5});
    for (const bool pitch : {true, false}) {
        const QRectF& lane = pitch ? pitchLane : levelLane;
        drawContour(painter, model_, pitch, lane, seconds, modelColour);
        drawContour(painter, take_, pitch, lane, seconds, takeColour);
    }
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(QPointF(inner.left(), 18), QStringLiteral("Pitch"));
    painter.setPen(modelColour);
    painter.drawText(QPointF(inner.left() + 80, 18), QStringLiteral("Model"));
    painter.setPen(takeColour);
    painter.drawText(QPointF(inner.left() + 150, 18), QStringLiteral("Your take"));
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(QPointF(inner.left() + 4, levelLane.top() + 14), QStringLiteral("Loudness"));
}

}  // namespace lectern::exercises
