// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractSocket>
#include <QNetworkReply>

#include <string>
#include <string_view>

namespace tavik {

// A server's words as the program shows and logs them: the first line,
// control characters dropped, at most 200 characters.
std::string printableText(std::string_view text);

// `text` with every occurrence of `secret` (as it stands and
// percent-encoded) replaced by "***"; an empty secret changes nothing.
std::string withoutSecret(std::string text, const std::string& secret);

// The German reason of a socket error; `qtText` for the errors without one.
std::string socketErrorText(QAbstractSocket::SocketError error, const std::string& qtText);

// The German reason of a failed HTTP request, without its address (which
// holds the key); `qtText` for the errors without one.
std::string replyErrorText(QNetworkReply::NetworkError error, const std::string& qtText);

}  // namespace tavik
