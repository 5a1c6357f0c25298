#pragma once

#include "platform/media/VoiceContour.h"
#include "platform/widgets/ShownForAWhile.h"

#include <QWidget>

namespace lectern::platform {
class TForm;
}

namespace lectern::exercises {

// The picture shown for a few seconds after a take: the model's and the
// take's pitch (above, on a scale of semitones) and loudness (below) over
// time, both placed so that their speech begins at the same point.
class TakeComparison : public QWidget {
  public:
    static constexpr int ShownMs = 4000;

    explicit TakeComparison(platform::TForm& form);

    void showContours(platform::VoiceContour model, platform::VoiceContour take);
    const platform::VoiceContour& model() const { return model_; }
    const platform::VoiceContour& take() const { return take_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    platform::VoiceContour model_;
    platform::VoiceContour take_;
    platform::ShownForAWhile shown_;
};

}  // namespace lectern::exercises
