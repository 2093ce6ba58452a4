#include "server/registry_script.h"

#include <cstddef>
#include <string>

namespace {

// Bounds that keep hostile text from costing unbounded memory or stack.
constexpr std::size_t kMaxTextLength = 64 * 1024;  // characters, before and after replacement
constexpr int kMaxDepth = 32;                      // nesting of keys
constexpr std::size_t kMaxKeyNameLength = 255;     // the registry's own limit
constexpr std::size_t kMaxValueNameLength = 16383;

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameWord(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

// Fills in %NAME% replacements; quotes in a replacement are doubled.
RegistryResult Expand(std::wstring_view text, const std::vector<ScriptReplacement>& replacements, std::wstring& out) {
  if (text.size() > kMaxTextLength) return kScriptInvalid;
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') {
      out += text[i];
    } else {
      const std::size_t end = text.find(L'%', i + 1);
      if (end == std::wstring_view::npos) return kScriptInvalid;
      const std::wstring_view name = text.substr(i + 1, end - i - 1);
      if (name.empty()) {
        out += L'%';
      } else {
        const ScriptReplacement* found = nullptr;
        for (const auto& replacement : replacements)
          if (SameWord(replacement.name, name)) found = &replacement;
        if (!found) return kScriptInvalid;
        for (wchar_t c : found->text) {
          out += c;
          if (c == L'\'') out += c;
        }
      }
      i = end;
    }
    if (out.size() > kMaxTextLength) return kScriptInvalid;
  }
  return kRegistryOk;
}

struct Token {
  enum Kind { End, Open, Close, Equals, Word, Quoted } kind = End;
  std::wstring text;
};

class Lexer {
 public:
  explicit Lexer(std::wstring_view text) : text_(text) {}

  RegistryResult Next(Token& token) {
    if (peeked_) {
      peeked_ = false;
      token = std::move(peek_);
      return kRegistryOk;
    }
    return Read(token);
  }

  RegistryResult Peek(const Token*& token) {
    if (!peeked_) {
      const RegistryResult result = Read(peek_);
      if (Failed(result)) return result;
      peeked_ = true;
    }
    token = &peek_;
    return kRegistryOk;
  }

 private:
  RegistryResult Read(Token& token) {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    token.text.clear();
    if (pos_ == text_.size()) {
      token.kind = Token::End;
      return kRegistryOk;
    }
    if (text_[pos_] == L'=') {
      ++pos_;
      token.kind = Token::Equals;
      return kRegistryOk;
    }
    if (text_[pos_] == L'\'') {
      token.kind = Token::Quoted;
      for (++pos_;; ++pos_) {
        if (pos_ == text_.size()) return kScriptInvalid;  // unterminated
        if (text_[pos_] == L'\0') return kScriptInvalid;
        if (text_[pos_] == L'\'') {
          if (pos_ + 1 < text_.size() && text_[pos_ + 1] == L'\'') {
            ++pos_;
          } else {
            ++pos_;
            return kRegistryOk;
          }
        }
        token.text += text_[pos_];
      }
    }
    while (pos_ < text_.size() && !IsSpace(text_[pos_]) && text_[pos_] != L'=' && text_[pos_] != L'\'') {
      if (text_[pos_] == L'\0') return kScriptInvalid;
      token.text += text_[pos_++];
    }
    token.kind = token.text == L"{" ? Token::Open : token.text == L"}" ? Token::Close : Token::Word;
    return kRegistryOk;
  }

  std::wstring_view text_;
  std::size_t pos_ = 0;
  bool peeked_ = false;
  Token peek_;
};

class Parser {
 public:
  explicit Parser(std::wstring_view text) : lexer_(text) {}

  // script := (root '{' key* '}')*
  RegistryResult ParseScript(std::vector<ScriptEntry>& keys) {
    for (;;) {
      Token token;
      RegistryResult result = lexer_.Next(token);
      if (Failed(result)) return result;
      if (token.kind == Token::End) return kRegistryOk;
      if (token.kind != Token::Word || !(SameWord(token.text, L"HKCR") || SameWord(token.text, L"HKEY_CLASSES_ROOT")))
        return kScriptInvalid;
      result = Expect(Token::Open);
      if (Failed(result)) return result;
      result = ParseBody(keys, 1, false);
      if (Failed(result)) return result;
    }
  }

 private:
  RegistryResult Expect(Token::Kind kind) {
    Token token;
    const RegistryResult result = lexer_.Next(token);
    if (Failed(result)) return result;
    return token.kind == kind ? kRegistryOk : kScriptInvalid;
  }

  // "= s 'text'"
  RegistryResult ParseData(std::wstring& data) {
    RegistryResult result = Expect(Token::Equals);
    if (Failed(result)) return result;
    Token token;
    result = lexer_.Next(token);
    if (Failed(result)) return result;
    if (token.kind != Token::Word || !SameWord(token.text, L"s")) return kScriptInvalid;
    result = lexer_.Next(token);
    if (Failed(result)) return result;
    if (token.kind != Token::Quoted) return kScriptInvalid;
    data = std::move(token.text);
    return kRegistryOk;
  }

  static bool IsName(const Token& token) { return token.kind == Token::Word || token.kind == Token::Quoted; }

  // body := (key | 'val' name '=' 's' text)* '}'
  RegistryResult ParseBody(std::vector<ScriptEntry>& entries, int depth, bool valuesAllowed) {
    if (depth > kMaxDepth) return kScriptInvalid;
    for (;;) {
      Token token;
      RegistryResult result = lexer_.Next(token);
      if (Failed(result)) return result;
      if (token.kind == Token::Close) return kRegistryOk;
      if (!IsName(token)) return kScriptInvalid;  // end of text inside braces, '=' or '{' out of place
      ScriptEntry entry;
      if (token.kind == Token::Word && SameWord(token.text, L"val")) {
        if (!valuesAllowed) return kScriptInvalid;
        result = lexer_.Next(token);
        if (Failed(result)) return result;
        if (!IsName(token) || token.text.empty() || token.text.size() > kMaxValueNameLength) return kScriptInvalid;
        entry.isValue = true;
        entry.name = std::move(token.text);
        result = ParseData(entry.data);
        if (Failed(result)) return result;
        entries.push_back(std::move(entry));
        continue;
      }
      if (token.kind == Token::Word && (SameWord(token.text, L"NoRemove") || SameWord(token.text, L"ForceRemove"))) {
        entry.marking = SameWord(token.text, L"NoRemove") ? KeyMarking::NoRemove : KeyMarking::ForceRemove;
        result = lexer_.Next(token);
        if (Failed(result)) return result;
        if (!IsName(token)) return kScriptInvalid;
      }
      // Markings and keywords this registrar does not carry out are refused
      // rather than taken for key names.
      if (token.kind == Token::Word && (SameWord(token.text, L"Delete") || SameWord(token.text, L"NoRemove") ||
                                        SameWord(token.text, L"ForceRemove") || SameWord(token.text, L"val")))
        return kScriptInvalid;
      if (token.text.empty() || token.text.size() > kMaxKeyNameLength || token.text.find(L'\\') != std::wstring::npos)
        return kScriptInvalid;
      entry.name = std::move(token.text);
      const Token* next = nullptr;
      result = lexer_.Peek(next);
      if (Failed(result)) return result;
      if (next->kind == Token::Equals) {
        entry.hasData = true;
        result = ParseData(entry.data);
        if (Failed(result)) return result;
        result = lexer_.Peek(next);
        if (Failed(result)) return result;
      }
      if (next->kind == Token::Open) {
        lexer_.Next(token);
        result = ParseBody(entry.children, depth + 1, true);
        if (Failed(result)) return result;
      }
      entries.push_back(std::move(entry));
    }
  }

  Lexer lexer_;
};

std::wstring Join(const std::wstring& parent, const std::wstring& name) {
  return parent.empty() ? name : parent + L'\\' + name;
}

RegistryResult Forward(const std::vector<ScriptEntry>& entries, const std::wstring& parent, RegistryAccess& registry) {
  for (const ScriptEntry& entry : entries) {
    if (entry.isValue) {
      const RegistryResult result = registry.SetString(parent, entry.name, entry.data);
      if (Failed(result)) return result;
      continue;
    }
    const std::wstring path = Join(parent, entry.name);
    if (entry.marking == KeyMarking::ForceRemove) {
      const RegistryResult result = registry.DeleteTree(path);
      if (Failed(result) && result != kRegistryNotFound) return result;
    }
    RegistryResult result = registry.CreateKey(path);
    if (Failed(result)) return result;
    if (entry.hasData) {
      result = registry.SetString(path, std::wstring(), entry.data);
      if (Failed(result)) return result;
    }
    result = Forward(entry.children, path, registry);
    if (Failed(result)) return result;
  }
  return kRegistryOk;
}

RegistryResult Backward(const std::vector<ScriptEntry>& entries, const std::wstring& parent, RegistryAccess& registry) {
  RegistryResult first = kRegistryOk;
  const auto note = [&first](RegistryResult result) {
    if (!Failed(first) && Failed(result) && result != kRegistryNotFound) first = result;
  };
  for (const ScriptEntry& entry : entries) {
    if (entry.isValue) {
      note(registry.DeleteValue(parent, entry.name));
      continue;
    }
    const std::wstring path = Join(parent, entry.name);
    const RegistryResult opened = registry.OpenKey(path);
    if (Failed(opened)) {
      note(opened);  // an absent key is skipped with its children; other failures are reported
      continue;
    }
    note(Backward(entry.children, path, registry));
    if (entry.marking == KeyMarking::NoRemove) continue;
    std::size_t subkeys = 0;
    const RegistryResult counted = registry.CountSubkeys(path, subkeys);
    if (Failed(counted)) {
      note(counted);
      continue;
    }
    if (subkeys == 0) note(registry.DeleteKey(path));
  }
  return first;
}

}  // namespace

RegistryResult ParseRegistryScript(std::wstring_view script, const std::vector<ScriptReplacement>& replacements,
                                   std::vector<ScriptEntry>& keys) {
  std::wstring text;
  const RegistryResult result = Expand(script, replacements, text);
  if (Failed(result)) return result;
  keys.clear();
  return Parser(text).ParseScript(keys);
}

RegistryResult ApplyRegistryScript(const std::vector<ScriptEntry>& keys, RegistryAccess& registry,
                                   ScriptDirection direction) {
  if (direction == ScriptDirection::Backward) return Backward(keys, std::wstring(), registry);
  const RegistryResult result = Forward(keys, std::wstring(), registry);
  if (Failed(result)) Backward(keys, std::wstring(), registry);
  return result;
}

RegistryResult RunRegistryScript(std::wstring_view script, const std::vector<ScriptReplacement>& replacements,
                                 RegistryAccess& registry, ScriptDirection direction) {
  std::vector<ScriptEntry> keys;
  const RegistryResult result = ParseRegistryScript(script, replacements, keys);
  return Failed(result) ? result : ApplyRegistryScript(keys, registry, direction);
}
