#include "framework/runtime/TFormatSettings.h"

#include <QLocale>
#include <QString>

namespace fw {

namespace {

// A single ASCII character of the locale, or the fallback when the locale uses something wider.
char SingleChar(const QString& text, char fallback) {
  if (text.size() != 1) return fallback;
  const char16_t c = text.at(0).unicode();
  return (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : fallback;
}

// Rewrites a Qt date or time pattern in FormatDateTime tokens: Qt's M (month) becomes m, Qt's m
// (minute) becomes n, H becomes h and an AM/PM marker becomes ampm; quoted text is kept.
std::string TranslatePattern(const std::string& utf8, bool isTime) {
  std::string result;
  const size_t size = utf8.size();
  for (size_t i = 0; i < size; ++i) {
    const char c = utf8[i];
    if (c == '\'') {
      size_t j = i + 1;
      while (j < size && utf8[j] != '\'') ++j;
      result += '"';
      result.append(utf8, i + 1, j - i - 1);
      result += '"';
      i = j;
    } else if (c == 'M') {
      result += 'm';
    } else if (c == 'm' && isTime) {
      result += 'n';
    } else if (c == 'H') {
      result += 'h';
    } else if (c == 'A' || c == 'a') {
      if (i + 1 < size && (utf8[i + 1] == 'P' || utf8[i + 1] == 'p')) ++i;
      result += "ampm";
    } else if (c == 't') {
      // time zone: not supported, dropped with a preceding blank
      if (!result.empty() && result.back() == ' ') result.pop_back();
    } else {
      result += c;
    }
  }
  while (!result.empty() && result.back() == ' ') result.pop_back();
  return result;
}

char FirstSeparator(const std::string& format, const char* letters, char fallback) {
  bool quoted = false;
  for (char c : format) {
    if (c == '"') quoted = !quoted;
    if (quoted || c == '"') continue;
    bool letter = false;
    for (const char* l = letters; *l; ++l) letter = letter || (c == *l);
    if (!letter && c != ' ' && c >= 0x20 && c < 0x7F) return c;
  }
  return fallback;
}

}  // namespace

TFormatSettings TFormatSettings::FromSystemLocale() {
  TFormatSettings settings;
  const QLocale locale = QLocale::system();
  if (locale.language() == QLocale::C) return settings;
  settings.DecimalSeparator = SingleChar(locale.decimalPoint(), '.');
  settings.ThousandSeparator = SingleChar(locale.groupSeparator(), ',');
  if (settings.ThousandSeparator == settings.DecimalSeparator)
    settings.ThousandSeparator = settings.DecimalSeparator == ',' ? '.' : ',';
  const std::string shortDate = FromLocalePattern(locale.dateFormat(QLocale::ShortFormat).toStdString(), false);
  const std::string shortTime = FromLocalePattern(locale.timeFormat(QLocale::ShortFormat).toStdString(), true);
  const std::string longTime = FromLocalePattern(locale.timeFormat(QLocale::LongFormat).toStdString(), true);
  if (!shortDate.empty()) settings.ShortDateFormat = shortDate;
  if (!shortTime.empty()) settings.ShortTimeFormat = shortTime;
  if (!longTime.empty()) settings.LongTimeFormat = longTime;
  settings.DateSeparator = FirstSeparator(settings.ShortDateFormat, "dmy", '/');
  settings.TimeSeparator = FirstSeparator(settings.ShortTimeFormat, "hnsampAMP", ':');
  return settings;
}

std::string TFormatSettings::FromLocalePattern(const std::string& pattern, bool isTime) {
  return TranslatePattern(pattern, isTime);
}

TFormatSettings FormatSettings = TFormatSettings::FromSystemLocale();

}  // namespace fw
