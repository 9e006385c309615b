#include "platform/Platform.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QString>

#include <cstdlib>

namespace velmora::platform {
namespace {

// Two lines of a message are joined by a carriage return alone; a message
// box shows that as a line break only when it is a line feed.
QString BoxText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

class QtPlatform final : public Platform {
 public:
  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override {
    QMessageBox box(icon == Icon::Information ? QMessageBox::Information : QMessageBox::Warning,
                    QString::fromStdString(title), BoxText(text),
                    buttons == Buttons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                    QApplication::activeWindow());
    const int chosen = box.exec();
    if (buttons == Buttons::Ok) return Answer::Ok;
    return chosen == QMessageBox::Yes ? Answer::Yes : Answer::No;
  }
  void Beep() override { QApplication::beep(); }
  [[noreturn]] void EndProgram() override { std::_Exit(0); }
};

QtPlatform& Real() {
  static QtPlatform real;
  return real;
}

Platform* installed = nullptr;

}  // namespace

Platform& Current() { return installed != nullptr ? *installed : Real(); }
void SetCurrent(Platform* platform) { installed = platform; }

int TwipsToPixels(int twips) { return twips / 15; }
int PixelsToTwips(int pixels) { return pixels * 15; }

void InstallFontSubstitutions() {
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ 明朝"), "IPAMincho");
  QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), "IPAPGothic");
  QFont::insertSubstitution("Times New Roman", "Liberation Serif");
}

QFont DesignFont(const char* name, double pointSize, bool bold) {
  QFont font(QString::fromUtf8(name));
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

}  // namespace velmora::platform
