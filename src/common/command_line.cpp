// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "common/version.h"

namespace tavik {

namespace {

// The words of a command line, read one after the other.
class Words {
 public:
  Words(int argc, const char* const* argv) : argv_(argv), count_(argc) {}

  bool more() const { return next_ < count_; }
  std::string_view take() { return argv_[next_++]; }
  // The next word as the value of `option`, which stands at the end of the
  // word before it.
  std::string_view valueOf(const std::string& option) {
    if (!more()) throw UsageError(option + " braucht einen Wert");
    return take();
  }

 private:
  const char* const* argv_;
  int count_;
  int next_ = 1;
};

// The option a long name stands for: the one of that name, or else the one
// whose name begins with it, if it is the only one; nullptr for none.
const CommandOption* longOption(std::span<const CommandOption> options, std::string_view name) {
  const CommandOption* found = nullptr;
  int matches = 0;
  std::string candidates;
  for (const CommandOption& o : options) {
    if (o.name == name) return &o;
    if (name.empty() || !o.name.starts_with(name)) continue;
    found = &o;
    candidates += (matches++ == 0 ? "--" : ", --") + std::string(o.name);
  }
  if (matches > 1) throw UsageError("--" + std::string(name) + " ist mehrdeutig: " + candidates);
  return found;
}

// "--name", "--name=value" or "--name value"; `word` without the dashes.
void takeLong(std::span<const CommandOption> options, std::string_view word, Words& words,
              const std::function<void(int, std::string_view)>& take) {
  const size_t equals = word.find('=');
  const CommandOption* o = longOption(options, word.substr(0, equals));
  // An unknown option is named as written, with its value.
  if (o == nullptr) throw UsageError("unbekannte Option: --" + std::string(word));
  const std::string name = "--" + std::string(o->name);
  if (equals != std::string_view::npos && !o->takesValue)
    throw UsageError(name + " nimmt keinen Wert");
  if (!o->takesValue)
    take(o->id, "");
  else
    take(o->id, equals != std::string_view::npos ? word.substr(equals + 1) : words.valueOf(name));
}

// "-a", "-ab", "-fVALUE" or "-f VALUE"; `word` without the dash.
void takeShort(std::span<const CommandOption> options, std::string_view word, Words& words,
               const std::function<void(int, std::string_view)>& take) {
  for (size_t at = 0; at < word.size(); ++at) {
    const char letter = word[at];
    const CommandOption* o = nullptr;
    for (const CommandOption& candidate : options)
      if (candidate.letter == letter) o = &candidate;
    const std::string name = std::string("-") + letter;
    // A byte of a letter beyond ASCII would not print alone: the whole word does.
    if (o == nullptr && (letter & 0x80) != 0)
      throw UsageError("unbekannte Option: -" + std::string(word));
    if (o == nullptr) throw UsageError("unbekannte Option: " + name);
    if (!o->takesValue) {
      take(o->id, "");
      continue;
    }
    take(o->id, at + 1 < word.size() ? word.substr(at + 1) : words.valueOf(name));
    return;
  }
}

}  // namespace

std::vector<std::string> parseOptions(
    int argc, const char* const* argv, std::span<const CommandOption> options,
    const std::function<void(int id, std::string_view value)>& take) {
  std::vector<std::string> others;
  Words words(argc, argv);
  while (words.more()) {
    const std::string_view word = words.take();
    if (word == "--") {
      while (words.more()) others.emplace_back(words.take());
    } else if (word.starts_with("--")) {
      takeLong(options, word.substr(2), words, take);
    } else if (word.size() > 1 && word.front() == '-') {
      takeShort(options, word.substr(1), words, take);
    } else {
      others.emplace_back(word);
    }
  }
  return others;
}

std::string versionText(std::string_view tool) {
  return std::string(tool) + " " + std::string(programVersion) + "\n";
}

}  // namespace tavik
