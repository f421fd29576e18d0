#include "config/frmSetup.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <algorithm>
#include <array>

#include "config/Twips.h"
#include "media/MediaTable.h"
#include "platform/core/SettingsStore.h"
#include "platform/desktop/modStarfield3.h"
#include "startup/modMain.h"

namespace {

constexpr const char* kNote =
    "Note: For slower computers reducing the number of Stars, number of Images, and Image Size "
    "will significantly improve performance.";

QFont SansSerif(double points, bool bold) {
  QFont font("Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

template <typename T>
T* Place(QWidget* parent, const QRect& where) {
  auto* control = new T(parent);
  control->setGeometry(where);
  return control;
}

// A caption a little wider in this system's font than in the design's keeps its whole text.
template <typename T>
T* Captioned(QWidget* parent, const QRect& where, const char* caption) {
  auto* control = Place<T>(parent, where);
  control->setText(caption);
  control->resize(std::max(where.width(), control->sizeHint().width()), where.height());
  return control;
}

QFrame* Rule(QWidget* parent, int left, int top, int right) {
  auto* line = Place<QFrame>(parent, Twips(left, top, right - left, 30));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

// A bar over its setting's range.
QScrollBar* Bar(QWidget* parent, const QRect& where, Qt::Orientation o, SetupBar which) {
  const BarRange range = RangeOf(which);
  auto* bar = Place<QScrollBar>(parent, where);
  bar->setOrientation(o);
  bar->setRange(range.least, range.most);
  bar->setSingleStep(range.small);
  bar->setPageStep(range.large);
  bar->setValue(range.initial);
  return bar;
}

}  // namespace

frmSetup::frmSetup(Application& app, modMain::SettingsRecord& settings, SettingsStore& store,
                   Form& display)
    : Form(app, modMain::kSetupCaption), rules_(settings, *this), store_(store), display_(display) {
  ReportError = [this](const QString& message) {
    QMessageBox::critical(Window(), QString::fromStdString(Caption()), message);
  };
}

std::unique_ptr<QWidget> frmSetup::CreateWindow() {
  auto window = std::make_unique<QWidget>();
  window->setFont(SansSerif(7.5, false));  // as wide as the design's 8.25-point face
  window->setFixedSize(TwipsToPixels(5265), TwipsToPixels(5280));
  BuildHeader(window.get());
  BuildImageFrame(window.get());
  BuildCounts(window.get());
  BuildSwitches(window.get());
  BuildButtons(window.get());
  QWidget::setTabOrder(cmdSettingsOK, cmdSettingsDefault);
  QWidget::setTabOrder(cmdSettingsDefault, cmdCancel);
  QWidget::setTabOrder(cmdCancel, txtStars);
  QWidget::setTabOrder(txtStars, txtObjects);
  Connect();
  return window;
}

void frmSetup::BuildHeader(QWidget* w) {
  auto* title = Place<QLabel>(w, Twips(720, 60, 3855, 315));
  title->setText("Skorvane! Screensaver");
  title->setFont(SansSerif(12, true));
  Rule(w, 60, 420 - 15, 5160);
  auto* note = Place<QLabel>(w, Twips(120, 480, 4935, 675));
  note->setText(kNote);
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  note->setFont(SansSerif(8.25, true));
  Rule(w, 0, 1140 - 15, 5100);
}

void frmSetup::BuildImageFrame(QWidget* w) {
  auto* frame = Place<QGroupBox>(w, Twips(2220, 1260, 2835, 1815));
  frame->setTitle("Select Vexlor Image Size");
  Image1 = Place<QLabel>(frame, Twips(60, 240, 960, 1380));
  const media::Bytes gif = media::SetupPicture();
  QPixmap picture;
  picture.loadFromData(gif.data(), uint(gif.size()), "GIF");
  Image1->setPixmap(picture);
  Image1->setScaledContents(true);
  const char* captions[] = {"Large Vexlor", "Medium Vexlor", "Small Vexlor", "Tiny Vexlor"};
  for (int i = 0; i < 4; ++i) {
    OptImage[i] = Place<QRadioButton>(frame, Twips(1140, 240 + 360 * i, 1575, 315));
    OptImage[i]->setText(captions[i]);
  }
}

void frmSetup::BuildCounts(QWidget* w) {
  Captioned<QLabel>(w, Twips(120, 1440, 1035, 255), "Stars (0-400)");
  txtStars = Place<QLineEdit>(w, Twips(1320, 1380, 435, 315));
  vsbStars = Bar(w, Twips(1740, 1380, 255, 315), Qt::Vertical, SetupBar::Stars);
  Captioned<QLabel>(w, Twips(120, 2040, 1095, 255), "Images (0-100)");
  txtObjects = Place<QLineEdit>(w, Twips(1320, 1980, 435, 315));
  vsbObjects = Bar(w, Twips(1740, 1980, 255, 315), Qt::Vertical, SetupBar::Objects);
  for (QLineEdit* box : {txtStars, txtObjects}) box->setTextMargins(0, 0, 0, 0);
}

void frmSetup::BuildSwitches(QWidget* w) {
  chkSpinSwitch = Captioned<QCheckBox>(w, Twips(120, 2580, 1275, 255), "Spin Stars");
  chkTarget = Captioned<QCheckBox>(w, Twips(120, 3120, 1395, 255), "Target Practice");
  Label2 = Place<QLabel>(w, Twips(1740, 3180, 3375, 1455));
  Label2->setText(kSetupMessage);
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->setStyleSheet("QLabel { color: rgb(255, 0, 0); background: rgb(255, 255, 255); }");
  chkLasers = Captioned<QCheckBox>(w, Twips(120, 3660, 1275, 255), "Show Lasers");
  chkSound = Captioned<QCheckBox>(w, Twips(120, 4200, 855, 255), "Sound");
  // Never shown: the user cannot change Speed or SpinRatio here, but loading the dialog still
  // brings them to hundredths through these bars. The message covers their place.
  auto* lblSpin = Place<QLabel>(w, Twips(3060, 3720, 1815, 195));
  lblSpin->setText("Arc Ratio (Spin)");
  hsbSpin = Bar(w, Twips(3060, 3900, 1875, 255), Qt::Horizontal, SetupBar::Spin);
  auto* lblSpeed = Place<QLabel>(w, Twips(3060, 4140, 1815, 195));
  lblSpeed->setText("Acceleration");
  hsbSpeed = Bar(w, Twips(3060, 4320, 1875, 255), Qt::Horizontal, SetupBar::Speed);
  for (QWidget* hidden : std::initializer_list<QWidget*>{lblSpin, hsbSpin, lblSpeed, hsbSpeed})
    hidden->hide();
}

void frmSetup::BuildButtons(QWidget* w) {
  cmdCancel = Place<QPushButton>(w, Twips(1080, 4800, 855, 375));
  cmdCancel->setText("&Cancel");
  cmdSettingsDefault = Place<QPushButton>(w, Twips(2160, 4800, 855, 375));
  cmdSettingsDefault->setText("&Defaults");
  cmdPreview = Place<QPushButton>(w, Twips(3240, 4800, 855, 375));
  cmdPreview->setText("&Preview");
  cmdSettingsOK = Place<QPushButton>(w, Twips(4320, 4800, 855, 375));
  cmdSettingsOK->setText("&OK");
  cmdSettingsOK->setDefault(true);
  // Enter is OK and Esc is Cancel whichever control has the focus, a button or a text box.
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), w);
    QObject::connect(enter, &QShortcut::activated, cmdSettingsOK, &QPushButton::click);
  }
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), w);
  QObject::connect(escape, &QShortcut::activated, cmdCancel, &QPushButton::click);
}

void frmSetup::Connect() {
  QObject::connect(txtStars, &QLineEdit::textChanged,
                   [this] { rules_.TextChanged(CountBox::Stars); });
  QObject::connect(txtObjects, &QLineEdit::textChanged,
                   [this] { rules_.TextChanged(CountBox::Objects); });
  for (SetupBar bar : {SetupBar::Stars, SetupBar::Objects, SetupBar::Speed, SetupBar::Spin}) {
    QObject::connect(BarControl(bar), &QScrollBar::valueChanged,
                     [this, bar] { rules_.BarChanged(bar); });
  }
  for (SetupCheck check :
       {SetupCheck::SpinSwitch, SetupCheck::Target, SetupCheck::Lasers, SetupCheck::Sound}) {
    QObject::connect(CheckControl(check), &QCheckBox::toggled,
                     [this, check](bool on) { rules_.CheckClicked(check, on); });
  }
  for (int i = 0; i < 4; ++i) {
    QObject::connect(OptImage[i], &QRadioButton::toggled, [this, i](bool on) {
      if (on) rules_.ImageClicked(i);
    });
  }
  QObject::connect(cmdSettingsOK, &QPushButton::clicked, [this] { cmdSettingsOK_Click(); });
  QObject::connect(cmdCancel, &QPushButton::clicked, [this] { Unload(); });
  QObject::connect(cmdSettingsDefault, &QPushButton::clicked, [this] { rules_.Defaults(); });
  QObject::connect(cmdPreview, &QPushButton::clicked, [this] { cmdPreview_Click(); });
}

void frmSetup::Form_Load() {
  SetTopmost(*this);
  rules_.RefreshControls();
  cmdSettingsOK->setFocus();
}

std::string frmSetup::Text(CountBox box) const {
  return (box == CountBox::Stars ? txtStars : txtObjects)->text().toStdString();
}

void frmSetup::SetText(CountBox box, const std::string& text) {
  (box == CountBox::Stars ? txtStars : txtObjects)->setText(QString::fromStdString(text));
}

int frmSetup::Value(SetupBar bar) const {
  return BarControl(bar)->value();
}

void frmSetup::SetValue(SetupBar bar, int value) {
  BarControl(bar)->setValue(value);
}

void frmSetup::SetChecked(SetupCheck check, bool on) {
  CheckControl(check)->setChecked(on);
}

void frmSetup::SelectImage(int index) {
  OptImage[index]->setChecked(true);
}

// The controls in the order of SetupBar and SetupCheck.
QScrollBar* frmSetup::BarControl(SetupBar bar) const {
  const std::array<QScrollBar*, 4> bars{vsbStars, vsbObjects, hsbSpeed, hsbSpin};
  return bars[size_t(bar)];
}

QCheckBox* frmSetup::CheckControl(SetupCheck check) const {
  const std::array<QCheckBox*, 4> checks{chkSpinSwitch, chkTarget, chkLasers, chkSound};
  return checks[size_t(check)];
}

void frmSetup::cmdSettingsOK_Click() {
  try {
    rules_.Save(store_);
  } catch (const SettingsWriteError& e) {
    // The edits stay in the dialog, so the user can put things right and press OK again.
    ReportError(QString("The settings could not be saved to %1:\n%2")
                    .arg(QString::fromStdString(e.Where()), QString::fromStdString(e.Reason())));
    return;
  }
  Unload();
}

void frmSetup::cmdPreview_Click() {
  ClearTopmost(*this);
  display_.Show(true);
  SetTopmost(*this);
}
