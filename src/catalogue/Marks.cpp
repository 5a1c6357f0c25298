#include "catalogue/Marks.h"

#include "platform/Error.h"

namespace lectern::catalogue {

std::vector<MarkLine> ReadMarkLines(const platform::StringList& marks) {
    std::vector<MarkLine> lines;
    lines.reserve(static_cast<std::size_t>(marks.Count()));
    std::optional<qint64> previous;
    for (int k = 1; k <= marks.Count(); ++k) {
        MarkLine& line = lines.emplace_back();
        try {
            line.mark = MarkOf(marks, k);
        } catch (const platform::Error& e) {
            line.fault = e.message();
            continue;
        }
        if (*line.mark < 0)
            line.fault = QStringLiteral("mark %1 is before the start").arg(*line.mark);
        else if (previous && *line.mark <= *previous)
            line.fault = QStringLiteral("mark %1 does not come after the mark before it (%2)")
                             .arg(*line.mark)
                             .arg(*previous);
        previous = line.mark;
    }
    return lines;
}

}  // namespace lectern::catalogue
