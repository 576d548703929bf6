#include "host/titleformat.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <vector>

namespace fb2k_host {

namespace {

struct Node;
typedef std::vector<std::unique_ptr<Node>> Sequence;

struct Node {
    enum Kind { Literal, Field, Optional, Function } kind;
    std::string text;                // literal text, field name or function name
    Sequence children;               // of an optional block
    std::vector<Sequence> arguments; // of a function
};

struct Result {
    std::string text;
    bool found = false; // some field inside had a value
};

class Parser {
public:
    explicit Parser(const std::string& pattern) : m_pattern(pattern) {}
    bool Parse(Sequence& out) {
        bool ok = ParseSequence(out, "");
        return ok && m_pos == m_pattern.size();
    }

private:
    bool ParseSequence(Sequence& out, const char* terminators) {
        while (m_pos < m_pattern.size()) {
            char c = m_pattern[m_pos];
            if (std::strchr(terminators, c) && c != 0) return true;
            if (c == ']' || c == ')') return false;
            if (!ParseElement(out)) return false;
        }
        return terminators[0] == 0;
    }
    bool ParseElement(Sequence& out) {
        char c = m_pattern[m_pos];
        if (c == '%') return ParseField(out);
        if (c == '[') return ParseOptional(out);
        if (c == '\'') return ParseQuoted(out);
        if (c == '$') return ParseFunction(out);
        AppendLiteral(out, std::string(1, c));
        ++m_pos;
        return true;
    }
    bool ParseField(Sequence& out) {
        size_t end = m_pattern.find('%', m_pos + 1);
        if (end == std::string::npos) return false;
        auto node = std::make_unique<Node>();
        node->kind = Node::Field;
        node->text = m_pattern.substr(m_pos + 1, end - m_pos - 1);
        std::transform(node->text.begin(), node->text.end(), node->text.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        out.push_back(std::move(node));
        m_pos = end + 1;
        return true;
    }
    bool ParseOptional(Sequence& out) {
        ++m_pos;
        auto node = std::make_unique<Node>();
        node->kind = Node::Optional;
        if (!ParseSequence(node->children, "]") || m_pos >= m_pattern.size()) return false;
        ++m_pos;
        out.push_back(std::move(node));
        return true;
    }
    bool ParseQuoted(Sequence& out) {
        size_t end = m_pattern.find('\'', m_pos + 1);
        if (end == std::string::npos) return false;
        // Two quotes in a row stand for one quote character.
        AppendLiteral(out, end == m_pos + 1 ? std::string("'") : m_pattern.substr(m_pos + 1, end - m_pos - 1));
        m_pos = end + 1;
        return true;
    }
    bool ParseFunction(Sequence& out) {
        size_t open = m_pattern.find('(', m_pos);
        if (open == std::string::npos) return false;
        auto node = std::make_unique<Node>();
        node->kind = Node::Function;
        node->text = m_pattern.substr(m_pos + 1, open - m_pos - 1);
        m_pos = open + 1;
        for (;;) {
            Sequence argument;
            if (!ParseSequence(argument, ",)") || m_pos >= m_pattern.size()) return false;
            node->arguments.push_back(std::move(argument));
            char c = m_pattern[m_pos++];
            if (c == ')') break;
        }
        out.push_back(std::move(node));
        return true;
    }
    void AppendLiteral(Sequence& out, const std::string& text) {
        if (!out.empty() && out.back()->kind == Node::Literal) {
            out.back()->text += text;
            return;
        }
        auto node = std::make_unique<Node>();
        node->kind = Node::Literal;
        node->text = text;
        out.push_back(std::move(node));
    }

    const std::string& m_pattern;
    size_t m_pos = 0;
};

std::string FileNameOf(const std::string& path, bool withExtension) {
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!withExtension) {
        size_t dot = name.rfind('.');
        if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
    }
    return name;
}

std::string FormatLength(double seconds) {
    long total = static_cast<long>(seconds + 0.5);
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof(text), "%ld:%02ld:%02ld", total / 3600, (total / 60) % 60, total % 60);
    else std::snprintf(text, sizeof(text), "%ld:%02ld", total / 60, total % 60);
    return text;
}

bool LookupField(const std::string& name, const TrackInfo& track, std::string& value) {
    auto meta = track.meta.find(name);
    if (meta != track.meta.end()) {
        value = meta->second;
        return !value.empty();
    }
    if (name == "filename" || name == "_filename") value = FileNameOf(track.path, false);
    else if (name == "filename_ext" || name == "_filename_ext") value = FileNameOf(track.path, true);
    else if (name == "path" || name == "_path") value = track.path;
    else if (name == "title") value = FileNameOf(track.path, false); // a track without a title shows its file name
    else if (name == "_length" || name == "length") value = track.length > 0 ? FormatLength(track.length) : "";
    else return false;
    return !value.empty();
}

Result Evaluate(const Sequence& sequence, const TrackInfo& track);

Result EvaluateFunction(const Node& node, const TrackInfo& track) {
    Result result;
    const auto& args = node.arguments;
    auto arg = [&](size_t i) { return i < args.size() ? Evaluate(args[i], track) : Result(); };
    if (node.text == "if" && (args.size() == 2 || args.size() == 3)) {
        result = arg(0).found ? arg(1) : arg(2);
    } else if (node.text == "if2" && args.size() == 2) {
        Result first = arg(0);
        result = first.found ? first : arg(1);
    } else if ((node.text == "upper" || node.text == "lower") && args.size() == 1) {
        result = arg(0);
        bool upper = node.text == "upper";
        for (char& c : result.text)
            c = static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(c))
                                        : std::tolower(static_cast<unsigned char>(c)));
    } else if (node.text == "char" && args.size() == 1) {
        long code = std::strtol(arg(0).text.c_str(), nullptr, 10);
        if (code > 0 && code < 128) result.text = std::string(1, static_cast<char>(code));
    } else {
        result.text = "[UNKNOWN FUNCTION]";
    }
    return result;
}

Result Evaluate(const Sequence& sequence, const TrackInfo& track) {
    Result result;
    for (const auto& node : sequence) {
        switch (node->kind) {
        case Node::Literal: result.text += node->text; break;
        case Node::Field: {
            std::string value;
            if (LookupField(node->text, track, value)) {
                result.text += value;
                result.found = true;
            } else {
                result.text += "?";
            }
            break;
        }
        case Node::Optional: {
            Result inner = Evaluate(node->children, track);
            if (inner.found) {
                result.text += inner.text;
                result.found = true;
            }
            break;
        }
        case Node::Function: {
            Result inner = EvaluateFunction(*node, track);
            result.text += inner.text;
            result.found = result.found || inner.found;
            break;
        }
        }
    }
    return result;
}

class CompiledScript : public titleformat_object {
public:
    CompiledScript(const std::string& source, Sequence program) : m_source(source), m_program(std::move(program)) {}
    const char* Source() const { return m_source.c_str(); }
    std::string Run(const TrackInfo& track) const { return Evaluate(m_program, track).text; }
    // Without a track every field is empty.
    void run(titleformat_hook*, pfc::string_base& out, titleformat_text_filter*) override {
        out.set_string(Run(TrackInfo()).c_str());
    }

private:
    std::string m_source;
    Sequence m_program;
};

class Compiler : public titleformat_compiler {
public:
    bool compile(service_ptr_t<titleformat_object>& out, const char* pattern) override {
        std::string source = pattern ? pattern : "";
        Sequence program;
        if (!Parser(source).Parse(program)) return false;
        out = new service_impl_t<CompiledScript>(source, std::move(program));
        return true;
    }
};

} // namespace

service_ptr_t<titleformat_compiler> MakeTitleformatCompiler() { return new service_impl_t<Compiler>(); }

std::string FormatTrack(titleformat_object* script, const TrackInfo& track) {
    auto* compiled = dynamic_cast<CompiledScript*>(script);
    return compiled ? compiled->Run(track) : std::string();
}

std::string ScriptSource(titleformat_object* script) {
    auto* compiled = dynamic_cast<CompiledScript*>(script);
    return compiled ? compiled->Source() : std::string();
}

} // namespace fb2k_host
