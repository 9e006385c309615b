#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QString>
#include <QTranslator>
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
    box.setTextFormat(Qt::PlainText);
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

int TwipsToPixels(int twips) { return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15); }
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

bool InstallJapaneseButtons(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::string NoDisplayMessage(const std::string& program) {
  return "velmora: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); run it on a desktop or under "
         "Xvfb: xvfb-run -a -s \"-screen 0 1920x1080x24\" " +
         program;
}

std::string ProgramFolder() { return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString(); }

void ShowUnexpectedError(int code) {
  Current().ShowMessage("予期せぬエラー(" + std::to_string(code) + ")", "想定外の故障", Buttons::Ok, Icon::Exclamation);
}

}  // namespace velmora::platform
