#pragma once
// Filter expressions of a DataSet, compiled once against the table's fields and then
// evaluated on stored rows.
//
//   expression := term { "or" term }
//   term       := factor { "and" factor }
//   factor     := "not" factor | "(" expression ")" | comparison
//   comparison := operand op operand | operand ["not"] "like" text | operand "is" ["not"] "null"
//   op         := "=" | "<>" | "!=" | "<" | "<=" | ">" | ">="
//   operand    := field name | [field name] | number | 'text' ('' for a quote) | true | false
//
// Keywords are case-insensitive. "like" compares the text of the value with a pattern in
// which % stands for any run of characters, ignoring case. A comparison with a field takes
// the field's type: a DateTime field reads a quoted literal in the locale's short date and
// long time form (or ISO 8601). A null value of a numeric, boolean or date-time field
// satisfies only "<>" and "is null"; a null text reads as the empty text.

#include <QString>

#include <memory>

class DataSetPrivate;

class FilterProgram {
public:
    // DataSetError when the expression is malformed or names a missing field.
    static std::unique_ptr<FilterProgram> compile(const QString& expression, const DataSetPrivate& table);
    ~FilterProgram();
    bool matches(const DataSetPrivate& table, const uchar* row) const;

    struct Node;

private:
    FilterProgram() = default;
    std::unique_ptr<Node> m_root;
};
