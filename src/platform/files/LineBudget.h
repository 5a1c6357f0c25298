#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace lectern::platform {

// How many lines a line file may hold and how long each may be, counted on
// the bytes as they are read: a file over its budget is refused after the
// first line too many, before the rest of it costs any memory. Lines end as
// StringList splits them (CR LF, LF or CR; a last line without a break
// counts); a NUL byte ends the file. Zero means no limit.
struct LineBudget {
    qsizetype lines = 0;
    qsizetype lineBytes = 0;

    bool limited() const { return lines > 0 || lineBytes > 0; }
};

// Counts the lines of a file chunk by chunk against a budget.
class LineCounter {
  public:
    explicit LineCounter(LineBudget budget) : budget_(budget) {}

    // False, with the reason in failure(), once the bytes so far exceed the
    // budget.
    bool take(QByteArrayView chunk);
    const QString& failure() const { return failure_; }

  private:
    bool refuse(QString reason);

    LineBudget budget_;
    qsizetype complete_ = 0;  // lines ended by a break
    qsizetype length_ = 0;    // bytes of the line being read
    bool open_ = false;       // a line has begun after the last break
    bool afterCr_ = false;
    bool ended_ = false;  // a NUL byte was seen
    QString failure_;
};

}  // namespace lectern::platform
