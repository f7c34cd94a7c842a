#include "framework/FormReader.h"

#include <cctype>

namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
    throw EFormError("Form resource, line " + std::to_string(line) + ": " + what);
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class TFormParser {
public:
    explicit TFormParser(std::string_view text) : FText(text) {}

    std::unique_ptr<TFormNode> ReadRoot() {
        auto root = ReadNode();
        SkipBlanks();
        if (FPos < FText.size())
            Fail(FLine, "text after the form's closing brace");
        return root;
    }

private:
    std::unique_ptr<TFormNode> ReadNode() {
        auto node = std::make_unique<TFormNode>();
        node->Line = FLine;
        node->ClassName = ReadWord("a class name");
        SkipBlanks();
        if (Peek() != '{')
            node->Name = ReadWord("a control name or '{'");
        Expect('{');
        for (;;) {
            SkipBlanks();
            if (Peek() == '}') {
                ++FPos;
                return node;
            }
            if (FPos >= FText.size())
                Fail(node->Line, "'" + node->ClassName + "' is not closed with '}'");
            ReadMember(*node);
        }
    }

    // A property "Name = value" or a child "Class [Name] {".
    void ReadMember(TFormNode& node) {
        size_t start = FPos;
        int line = FLine;
        std::string word = ReadWord("a property or a class name");
        SkipSpaces();
        if (Peek() != '=') {
            FPos = start;
            FLine = line;
            node.Children.push_back(ReadNode());
            return;
        }
        ++FPos;
        SkipSpaces();
        node.Properties.push_back({word, ReadValue(), line});
    }

    TFormValue ReadValue() {
        char c = Peek();
        if (c == '"')
            return {TFormValue::vkString, ReadString(), {}};
        if (c == '#')
            return {TFormValue::vkColor, {}, {ReadColor()}};
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c)))
            return {TFormValue::vkIntegers, {}, ReadIntegers()};
        return {TFormValue::vkWord, ReadWord("a value"), {}};
    }

    std::string ReadString() {
        std::string s;
        for (++FPos;; ++FPos) {
            if (FPos >= FText.size() || FText[FPos] == '\n')
                Fail(FLine, "unterminated string");
            char c = FText[FPos];
            if (c == '"') {
                ++FPos;
                return s;
            }
            if (c == '\\') {
                char e = ++FPos < FText.size() ? FText[FPos] : '\0';
                if (e != 'r' && e != '"' && e != '\\')
                    Fail(FLine, "unknown escape in string");
                c = e == 'r' ? '\r' : e;
            }
            s += c;
        }
    }

    int32_t ReadColor() {
        size_t start = ++FPos;
        while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos])))
            ++FPos;
        if (FPos - start != 6)
            Fail(FLine, "a colour is # and six hexadecimal digits");
        return static_cast<int32_t>(std::stoul(std::string(FText.substr(start, 6)), nullptr, 16));
    }

    std::vector<int32_t> ReadIntegers() {
        std::vector<int32_t> values;
        while (Peek() == '-' || std::isdigit(static_cast<unsigned char>(Peek()))) {
            bool negative = Peek() == '-';
            FPos += negative;
            if (!std::isdigit(static_cast<unsigned char>(Peek())))
                Fail(FLine, "a number was expected");
            int64_t v = 0;
            while (std::isdigit(static_cast<unsigned char>(Peek()))) {
                v = v * 10 + (FText[FPos++] - '0');
                if (v > INT32_MAX)
                    Fail(FLine, "number out of range");
            }
            values.push_back(static_cast<int32_t>(negative ? -v : v));
            SkipSpaces();
        }
        return values;
    }

    std::string ReadWord(const char* what) {
        SkipBlanks();
        size_t start = FPos;
        while (FPos < FText.size() && IsWordChar(FText[FPos]))
            ++FPos;
        if (FPos == start)
            Fail(FLine, std::string(what) + " was expected");
        return std::string(FText.substr(start, FPos - start));
    }

    void Expect(char c) {
        SkipBlanks();
        if (Peek() != c)
            Fail(FLine, std::string("'") + c + "' was expected");
        ++FPos;
    }

    char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }

    void SkipSpaces() {
        while (Peek() == ' ' || Peek() == '\t')
            ++FPos;
    }

    // Spaces, line ends and comments.
    void SkipBlanks() {
        for (;;) {
            SkipSpaces();
            if (Peek() == '\r') {
                ++FPos;
            } else if (Peek() == '\n') {
                ++FPos;
                ++FLine;
            } else if (FText.substr(FPos, 2) == "//") {
                while (FPos < FText.size() && FText[FPos] != '\n')
                    ++FPos;
            } else {
                return;
            }
        }
    }

    std::string_view FText;
    size_t FPos = 0;
    int FLine = 1;
};

[[noreturn]] void WrongKind(const TFormProperty& p, const char* expected) {
    Fail(p.Line, "property " + p.Name + " needs " + expected);
}

} // namespace

const std::string& TFormProperty::AsString() const {
    if (Value.Kind != TFormValue::vkString)
        WrongKind(*this, "a quoted string");
    return Value.Text;
}

const std::string& TFormProperty::AsWord() const {
    if (Value.Kind != TFormValue::vkWord)
        WrongKind(*this, "a word");
    return Value.Text;
}

bool TFormProperty::AsBoolean() const {
    if (Value.Kind != TFormValue::vkWord || (Value.Text != "true" && Value.Text != "false"))
        WrongKind(*this, "true or false");
    return Value.Text == "true";
}

int32_t TFormProperty::AsInteger() const {
    return AsIntegers(1)[0];
}

const std::vector<int32_t>& TFormProperty::AsIntegers(size_t count) const {
    if (Value.Kind != TFormValue::vkIntegers || Value.Integers.size() != count)
        WrongKind(*this, count == 1 ? "a number" : (std::to_string(count) + " numbers").c_str());
    return Value.Integers;
}

uint32_t TFormProperty::AsColor() const {
    if (Value.Kind != TFormValue::vkColor)
        WrongKind(*this, "a colour #RRGGBB");
    return static_cast<uint32_t>(Value.Integers[0]);
}

size_t WordIn(const TFormProperty& p, std::initializer_list<std::string_view> allowed) {
    const std::string& word = p.AsWord();
    size_t i = 0;
    for (std::string_view a : allowed) {
        if (word == a)
            return i;
        ++i;
    }
    Fail(p.Line, "unknown setting " + word + " of " + p.Name);
}

std::unique_ptr<TFormNode> ReadForm(std::string_view text) {
    return TFormParser(text).ReadRoot();
}
