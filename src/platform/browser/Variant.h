#pragma once

#include <QString>
#include <memory>

namespace lectern::platform {

class DispatchObject;

// A late-bound value as the document hands it over: empty, null, a boolean,
// an integer, a text, or an object whose members are reached by name.
//
//   Variant t3 = doc.get("all").get("t3");
//   t3.get("className").toString();
//   t3.set("className", "instext");
//   doc.get("all").get("a3").call("Click");
//
// Member access on an empty or null value raises platform::Error naming the
// member; so does a member the object does not have.
class Variant {
  public:
    enum class Type { Empty, Null, Bool, Int, Text, Object };

    Variant() = default;
    Variant(bool value);
    Variant(int value);
    Variant(QString value);
    Variant(const char* value);
    Variant(std::shared_ptr<DispatchObject> object);
    static Variant null();

    Type type() const { return type_; }
    bool isEmpty() const { return type_ == Type::Empty; }
    bool isNull() const { return type_ == Type::Null; }
    // What the windows test before using a document or a lookup result.
    bool isEmptyOrNull() const { return isEmpty() || isNull(); }
    bool isObject() const { return type_ == Type::Object; }

    // A boolean gives "True" or "False"; empty and null give "".
    QString toString() const;
    // Raises "'%s' is not a valid integer value" for text that is no integer.
    int toInt() const;
    // True, a non-zero integer, or text "True" in any case.
    bool toBool() const;

    Variant get(const QString& name) const;
    void set(const QString& name, const Variant& value) const;
    Variant call(const QString& name) const;
    Variant call(const QString& name, const QString& argument) const;

    const std::shared_ptr<DispatchObject>& object() const { return object_; }

  private:
    DispatchObject& target(const QString& member) const;

    Type type_ = Type::Empty;
    bool bool_ = false;
    int int_ = 0;
    QString text_;
    std::shared_ptr<DispatchObject> object_;
};

// An object reached by member name. Names resolve without regard to case.
class DispatchObject {
  public:
    virtual ~DispatchObject() = default;
    virtual Variant get(const QString& name) = 0;
    virtual void set(const QString& name, const Variant& value) = 0;
    // argument is null for a call without one.
    virtual Variant call(const QString& name, const QString* argument) = 0;
    // How messages name the object, e.g. "element 't3'" or "the document".
    virtual QString describe() const = 0;
};

}  // namespace lectern::platform
