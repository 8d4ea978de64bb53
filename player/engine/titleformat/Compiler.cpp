#include "player/engine/titleformat/Compiler.h"

#include "player/engine/titleformat/functions.h"
#include "player/engine/titleformat/path_fields.h"

namespace player::titleformat {

namespace {

// Where a sequence sits decides which characters end it and which are errors.
enum class Context { top, section, argument, group };

bool is_name_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool is_syntax_char(char c) {
    switch (c) {
        case '%': case '\'': case '$': case '[': case ']': case '(': case ')': case ',':
            return true;
        default:
            return false;
    }
}

class Parser {
public:
    Parser(std::string_view script, CompileError& error) : script_(script), error_(error) {}

    std::optional<Sequence> run() {
        Sequence root;
        if (!sequence(Context::top, 0, 0, root)) return std::nullopt;
        return root;
    }

private:
    // Parses up to the character that closes `context` (left unread) or the end of the script;
    // `opened_at` is where the construct being closed began.
    bool sequence(Context context, std::size_t opened_at, std::size_t depth, Sequence& out) {
        if (depth > max_nesting) return fail(opened_at, "nested too deeply");
        while (pos_ < script_.size()) {
            switch (script_[pos_]) {
                case '%':
                    if (!field(out)) return false;
                    break;
                case '\'':
                    if (!quoted(out)) return false;
                    break;
                case '$':
                    if (!call(depth, out)) return false;
                    break;
                case '[':
                    if (!section(depth, out)) return false;
                    break;
                case '(':
                    if (!group(depth, out)) return false;
                    break;
                case ']':
                    if (context == Context::section) return true;
                    return fail(pos_, "']' without '['");
                case ')':
                    if (context == Context::argument || context == Context::group) return true;
                    return fail(pos_, "')' without '('");
                case ',':
                    if (context == Context::argument) return true;
                    if (context != Context::group) return fail(pos_, "',' outside a function's arguments");
                    append_text(out, ",");
                    ++pos_;
                    break;
                default:
                    literal(out);
                    break;
            }
        }
        switch (context) {
            case Context::top:
                return true;
            case Context::section:
                return fail(opened_at, "'[' without ']'");
            default:
                return fail(opened_at, "'(' without ')'");
        }
    }

    void literal(Sequence& out) {
        std::size_t start = pos_;
        while (pos_ < script_.size() && !is_syntax_char(script_[pos_])) ++pos_;
        append_text(out, script_.substr(start, pos_ - start));
    }

    bool field(Sequence& out) {
        std::size_t start = pos_;
        std::size_t close = script_.find('%', start + 1);
        if (close == std::string_view::npos) return fail(start, "'%' without closing '%'");
        std::string_view name = script_.substr(start + 1, close - start - 1);
        if (name.empty()) return fail(start, "empty field name");
        Node node;
        if (auto special = path_field_named(name)) {
            node.kind = Node::Kind::path_field;
            node.path_field = *special;
        } else {
            node.kind = Node::Kind::field;
            node.text = std::string(name);
        }
        out.push_back(std::move(node));
        pos_ = close + 1;
        return true;
    }

    // '' is a quote character, inside quoted text and outside it.
    bool quoted(Sequence& out) {
        std::size_t start = pos_;
        if (script_.compare(pos_, 2, "''") == 0) {
            append_text(out, "'");
            pos_ += 2;
            return true;
        }
        ++pos_;
        while (true) {
            std::size_t close = script_.find('\'', pos_);
            if (close == std::string_view::npos) return fail(start, "quote without closing quote");
            bool doubled = close + 1 < script_.size() && script_[close + 1] == '\'';
            append_text(out, script_.substr(pos_, close - pos_ + (doubled ? 1 : 0)));
            pos_ = close + (doubled ? 2 : 1);
            if (!doubled) return true;
        }
    }

    bool section(std::size_t depth, Sequence& out) {
        std::size_t start = pos_++;
        Node node;
        node.kind = Node::Kind::section;
        node.children.resize(1);
        if (!sequence(Context::section, start, depth + 1, node.children[0])) return false;
        ++pos_;
        out.push_back(std::move(node));
        return true;
    }

    // Parentheses outside a call are text, kept balanced so that a stray ')' is caught.
    bool group(std::size_t depth, Sequence& out) {
        std::size_t start = pos_++;
        append_text(out, "(");
        if (!sequence(Context::group, start, depth + 1, out)) return false;
        ++pos_;
        append_text(out, ")");
        return true;
    }

    bool call(std::size_t depth, Sequence& out) {
        std::size_t start = pos_++;
        std::size_t name_start = pos_;
        while (pos_ < script_.size() && is_name_char(script_[pos_])) ++pos_;
        std::string_view name = script_.substr(name_start, pos_ - name_start);
        if (name.empty()) return fail(start, "'$' without a function name");
        if (pos_ == script_.size() || script_[pos_] != '(') return fail(start, "function name without '('");
        const FunctionInfo* function = find_function(name);
        if (!function) return fail(start, "unknown function");
        Node node;
        node.kind = Node::Kind::call;
        node.function = function;
        std::size_t open = pos_++;
        if (pos_ < script_.size() && script_[pos_] == ')') {
            ++pos_;
        } else {
            while (true) {
                Sequence& argument = node.children.emplace_back();
                if (!sequence(Context::argument, open, depth + 1, argument)) return false;
                if (script_[pos_++] == ')') break;
            }
        }
        std::size_t count = node.children.size();
        if (count < function->min_arguments || count > function->max_arguments) {
            return fail(start, "wrong number of arguments");
        }
        out.push_back(std::move(node));
        return true;
    }

    // Adjacent literal pieces become one node, so that evaluation appends once.
    void append_text(Sequence& out, std::string_view text) {
        if (text.empty()) return;
        if (out.empty() || out.back().kind != Node::Kind::text) {
            Node node;
            node.kind = Node::Kind::text;
            out.push_back(std::move(node));
        }
        out.back().text += text;
    }

    bool fail(std::size_t offset, const char* message) {
        error_.offset = offset;
        error_.message = message;
        return false;
    }

    std::string_view script_;
    CompileError& error_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<Sequence> compile_sequence(std::string_view script, CompileError& error) {
    return Parser(script, error).run();
}

}  // namespace player::titleformat
