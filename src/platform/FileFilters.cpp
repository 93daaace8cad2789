#include "platform/FileFilters.h"

namespace vrim {

std::vector<FileFilter> parseFileFilters(const QString &list)
{
    const QStringList parts = list.split(u'|');
    std::vector<FileFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts.at(i).isEmpty())
            continue;
        FileFilter filter{parts.at(i), {}};
        for (const QString &pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            if (pattern == u"*.*") {
                filter.patterns.append(QStringLiteral("*"));
                continue;
            }
            filter.patterns.append(pattern);
            if (pattern.toUpper() != pattern)
                filter.patterns.append(pattern.toUpper());
        }
        filters.push_back(filter);
    }
    return filters;
}

} // namespace vrim
