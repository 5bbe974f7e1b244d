// Browse filter entries as Qt name filters.
#include "ui/name_filters.h"

#include "dialog/browse_filter.h"
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
  QStringList filters;
  for (const BrowseFilterEntry& entry : SplitBrowseFilter(browseFilter)) {
    const QString patterns = QtPatterns(QStringFromUtf8(entry.patterns));
    if (patterns.isEmpty()) continue;
    filters << QStringFromUtf8(entry.description) + QStringLiteral(" (") + patterns + u')';
  }
  return filters;
}
