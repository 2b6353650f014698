#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace corvano {

// The main window's eight input texts, by what they hold. Each value is the number of the
// window's text box that holds it (Text1 to Text8).
enum class Field
{
    Address = 1, // the list page
    Folder,      // the target folder
    Template,    // the content of every shortcut
    Start,       // the start string that bounds the list
    End,         // the end string
    Contains,    // what every wanted address contains
    OldText,     // the part of each address to replace
    NewText,     // its replacement
};

inline constexpr std::array kFields{Field::Address, Field::Folder, Field::Template,
                                    Field::Start,   Field::End,    Field::Contains,
                                    Field::OldText, Field::NewText};

// The window's text box of the field: Text<n>.
constexpr int textNumber(Field field)
{
    return static_cast<int>(field);
}

// One value per field, in the order of the text boxes.
template <typename T> struct FieldValues
{
    std::array<T, kFields.size()> values;

    T& operator[](Field field) { return values[indexOf(field)]; }
    const T& operator[](Field field) const { return values[indexOf(field)]; }
    auto begin() { return values.begin(); }
    auto end() { return values.end(); }
    auto begin() const { return values.begin(); }
    auto end() const { return values.end(); }
    bool operator==(const FieldValues&) const = default;

private:
    static constexpr std::size_t indexOf(Field field)
    {
        return static_cast<std::size_t>(textNumber(field) - 1);
    }
};

using FieldTexts = FieldValues<std::string>;

} // namespace corvano
