// Text metrics in the font the preview shows a host font in, and the
// advisor of memos.
#include <QFontMetricsF>
#include <QHash>
#include <memory>

#include "frontends/qt/Conversions.h"
#include "frontends/qt/QtFrontEnd.h"

namespace Glossmith::inline QtFrontEnd {

namespace {

// The metrics of each font met, by name, height and style: a form has few.
const QFontMetricsF& MetricsOf(const TFont& font) {
  // Texts come in runs of one font: the last one is compared first.
  static struct {
    String Name;
    Integer Height = 0;
    uint32_t Style = 0;
    int Pitch = -1;
    std::shared_ptr<QFontMetricsF> Metrics;
  } last;
  if (last.Metrics && last.Height == font.Height() && last.Style == font.Style().Mask() &&
      last.Pitch == static_cast<int>(font.Pitch()) && last.Name == font.Name())
    return *last.Metrics;
  static QHash<QString, std::shared_ptr<QFontMetricsF>> cache;
  const QString key = ToQt(font.Name()) + QLatin1Char('|') + QString::number(font.Height()) +
                      QLatin1Char('|') + QString::number(font.Style().Mask()) + QLatin1Char('|') +
                      QString::number(static_cast<int>(font.Pitch()));
  auto found = cache.constFind(key);
  std::shared_ptr<QFontMetricsF> metrics;
  if (found != cache.constEnd()) {
    metrics = *found;
  } else {
    metrics = std::make_shared<QFontMetricsF>(ToQFont(&font, 1.0));
    cache.insert(key, metrics);
  }
  last.Name = font.Name();
  last.Height = font.Height();
  last.Style = font.Style().Mask();
  last.Pitch = static_cast<int>(font.Pitch());
  last.Metrics = metrics;
  return *metrics;
}

}  // namespace

namespace {

TEditAdvisor& Advisor() {
  static TEditAdvisor advisor;
  return advisor;
}

}  // namespace

void SetEditAdvisor(TEditAdvisor advisor) { Advisor() = std::move(advisor); }
const TEditAdvisor& EditAdvisor() { return Advisor(); }

bool StartQtTextMetrics() {
  TQtStartOptions options;
  options.Offscreen = true;
  return UseQtUserInterfaceIfAvailable(options);
}

double QtTextWidth(const TFont& font, std::string_view text) {
  return MetricsOf(font).horizontalAdvance(ToQt(String(text)));
}

double QtLineHeight(const TFont& font) { return MetricsOf(font).height(); }

String QtFontFamily(const TFont& font) { return FromQt(FamilyFor(font.Name())); }

}  // namespace Glossmith::inline QtFrontEnd
