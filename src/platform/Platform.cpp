#include "platform/Platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFont>
#include <QKeyEvent>
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

// A box that tells Esc and its close button apart from its No button (a
// plain box takes both for No, which on some boxes means ending the
// program), and whose buttons answer their access letters with Alt and
// without, whatever other window has claimed the same Alt shortcut.
class DismissableBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;
  bool Dismissed() const { return dismissed_; }

 protected:
  bool event(QEvent* event) override {
    // Claimed here, the key comes to keyPressEvent instead of the
    // application's shortcut map, where a second owner of the same letter
    // would make it ambiguous and dead.
    if (event->type() == QEvent::ShortcutOverride && ButtonForKey(*static_cast<QKeyEvent*>(event)) != nullptr) {
      event->accept();
      return true;
    }
    return QMessageBox::event(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Cancel)) {
      Dismiss();
      return;
    }
    if (QAbstractButton* button = ButtonForKey(*event)) {
      button->click();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    if (isVisible()) dismissed_ = true;
    QDialog::closeEvent(event);
  }

 private:
  // The button whose access letter is the key, pressed alone or with Alt.
  QAbstractButton* ButtonForKey(const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::AltModifier) return nullptr;
    for (QAbstractButton* button : buttons()) {
      const QKeySequence shortcut = button->shortcut();
      if (!shortcut.isEmpty() && shortcut[0].key() == key.key()) return button;
    }
    return nullptr;
  }

  void Dismiss() {
    dismissed_ = true;
    reject();
  }

  bool dismissed_ = false;
};

class QtPlatform final : public Platform {
 public:
  Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override {
    DismissableBox box(icon == Icon::Information ? QMessageBox::Information : QMessageBox::Warning,
                       QString::fromStdString(title), BoxText(text),
                       buttons == Buttons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                       QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    const int chosen = box.exec();
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (box.Dismissed()) return Answer::Dismissed;
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
