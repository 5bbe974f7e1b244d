// Splitting a browse filter into Qt name filters.
#include "ui/name_filters.h"

#include "ui/qstring_utf8.h"

namespace {

QString QtPatterns(const QString& windowsPatterns) {
  QStringList patterns;
  for (const QString& pattern : windowsPatterns.split(u';', Qt::SkipEmptyParts)) {
    const QString trimmed = pattern.trimmed();
    if (trimmed.isEmpty()) continue;
    // On Windows "*.*" also matches names without a dot.
    patterns << (trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
  }
  return patterns.join(u' ');
}

}  // namespace

QStringList NameFiltersFromBrowseFilter(std::string_view browseFilter) {
  const QStringList parts = QStringFromUtf8(browseFilter).split(u'|');
  QStringList filters;
  // The list ends at the first empty description ("||").
  for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
    const QString patterns = QtPatterns(parts[i + 1]);
    if (patterns.isEmpty()) continue;
    filters << parts[i] + QStringLiteral(" (") + patterns + u')';
  }
  return filters;
}
