#include "platform/browser/Variant.h"

#include "platform/Convert.h"
#include "platform/Error.h"

namespace lectern::platform {

Variant::Variant(bool value) : type_(Type::Bool), bool_(value) {}
Variant::Variant(int value) : type_(Type::Int), int_(value) {}
Variant::Variant(QString value) : type_(Type::Text), text_(std::move(value)) {}
Variant::Variant(const char* value) : Variant(QString::fromUtf8(value)) {}
Variant::Variant(std::shared_ptr<DispatchObject> object)
    : type_(object ? Type::Object : Type::Null), object_(std::move(object)) {}

Variant Variant::null() {
    Variant v;
    v.type_ = Type::Null;
    return v;
}

QString Variant::toString() const {
    switch (type_) {
        case Type::Empty:
        case Type::Null:
            return QString();
        case Type::Bool:
            return BoolToStr(bool_);
        case Type::Int:
            return QString::number(int_);
        case Type::Text:
            return text_;
        case Type::Object:
            return QStringLiteral("[object]");
    }
    return QString();
}

int Variant::toInt() const {
    switch (type_) {
        case Type::Int:
            return int_;
        case Type::Bool:
            return bool_ ? -1 : 0;
        case Type::Empty:
        case Type::Null:
            return 0;
        default:
            return StrToInt(toString());
    }
}

bool Variant::toBool() const {
    switch (type_) {
        case Type::Bool:
            return bool_;
        case Type::Int:
            return int_ != 0;
        case Type::Text:
            return StrToBool(text_);
        default:
            return false;
    }
}

DispatchObject& Variant::target(const QString& member) const {
    if (type_ == Type::Object)
        return *object_;
    const QString what = type_ == Type::Null ? QStringLiteral("a null value")
                         : type_ == Type::Empty
                             ? QStringLiteral("an empty value")
                             : QStringLiteral("the plain value '%1'").arg(toString());
    throw Error(QStringLiteral("Cannot use member '%1' of %2").arg(member, what));
}

Variant Variant::get(const QString& name) const {
    return target(name).get(name);
}

void Variant::set(const QString& name, const Variant& value) const {
    target(name).set(name, value);
}

Variant Variant::call(const QString& name) const {
    return target(name).call(name, nullptr);
}

Variant Variant::call(const QString& name, const QString& argument) const {
    return target(name).call(name, &argument);
}

}  // namespace lectern::platform
