#include "pages/FieldFont.h"

#include "model/ValueScales.h"
#include "pages/PageControls.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>

namespace tonel {

namespace {

constexpr int kTextMargins = 2 * 2 + 1;  // the edit's own margins and its cursor
constexpr double kSmallestPoints = 6.0;

int widest(const QFont& font, const QStringList& texts)
{
    const QFontMetrics metrics(font);
    int w = 0;
    for (const QString& t : texts)
        w = std::max(w, metrics.horizontalAdvance(t));
    return w;
}

}  // namespace

QFont fontFitting(const QLineEdit& field, const QStringList& texts)
{
    const int frame = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &field);
    const int room = field.width() - 2 * frame - kTextMargins;
    QFont font = field.font();
    while (font.pointSizeF() > kSmallestPoints && widest(font, texts) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

QStringList pageFrequencyTexts()
{
    QStringList texts;
    for (int index = 1; index <= kMaxFreqIndex; ++index)
        texts << QString::fromStdString(formatFrequencyAs(index, kTwoDecimalsKhz));
    return texts;
}

void fitFieldFont(const PageControls& controls, std::initializer_list<int> fieldIds, const QStringList& texts)
{
    if (fieldIds.size() == 0)
        return;
    const QFont font = fontFitting(*controls.field(*fieldIds.begin()), texts);
    for (int id : fieldIds)
        controls.field(id)->setFont(font);
}

}  // namespace tonel
