// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavik {

// Buttons of a message box.
enum class MessageButtons { Ok, OkCancel };

// The way every part of the program reports a failure to the user: a message
// text and a short caption. The window layer shows a message box; tests record.
class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void notify(const std::string& text, const std::string& caption,
                      MessageButtons buttons = MessageButtons::OkCancel) = 0;
};

// Keeps every message, for tests and for tools without windows.
class RecordingNotifier final : public Notifier {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons;
  };
  void notify(const std::string& text, const std::string& caption,
              MessageButtons buttons = MessageButtons::OkCancel) override {
    messages.push_back({text, caption, buttons});
  }
  std::vector<Message> messages;
};

}  // namespace tavik
