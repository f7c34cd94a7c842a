// Reads the form resource: a small text format describing a tree of controls.
//
//     // a comment
//     TPanel TopPanel {
//         Bounds = 0 0 492 46
//         Color = #FFFFFF
//         Caption = "Line one\rLine two"
//         OnClick = BNClick
//         TLabel {            // a control the code never addresses needs no name
//             ...
//         }
//     }
//
// A value is a quoted string (escapes \r, \", \\), a list of integers, a colour #RRGGBB, or a
// word (true, false, a setting's name, a handler's name).
#pragma once

#include "framework/Exceptions.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class EFormError : public Exception {
public:
    explicit EFormError(std::string message) : Exception("EFormError", std::move(message)) {}
};

struct TFormValue {
    enum Kind { vkString, vkIntegers, vkColor, vkWord } Kind;
    std::string Text;              // string or word
    std::vector<int32_t> Integers; // integers, or the colour as one 0xRRGGBB value
};

struct TFormProperty {
    std::string Name;
    TFormValue Value;
    int Line;

    // Each raises EFormError naming the property when the value is of another kind.
    const std::string& AsString() const;
    const std::string& AsWord() const;
    bool AsBoolean() const;
    int32_t AsInteger() const;
    const std::vector<int32_t>& AsIntegers(size_t count) const;
    uint32_t AsColor() const;
};

// The index of a word property's value among the allowed words; raises EFormError otherwise.
size_t WordIn(const TFormProperty& p, std::initializer_list<std::string_view> allowed);

struct TFormNode {
    std::string ClassName;
    std::string Name; // empty for an unnamed control
    int Line;
    std::vector<TFormProperty> Properties;
    std::vector<std::unique_ptr<TFormNode>> Children;
};

// Parses a whole form; raises EFormError with the line number on any fault.
std::unique_ptr<TFormNode> ReadForm(std::string_view text);
