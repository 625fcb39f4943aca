// Re-captions the main window in the current language.
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "controls/tab_button2.h"
#include "frm_main.h"
#include "shell/language.h"

namespace corvina {
namespace {

QString text(const char* number) { return QString::fromStdString(GetLangText(number)); }

// Makes a caption fit its control: the type gets smaller, down to 7 points,
// when the caption (the longer Spanish ones) is wider than the room it has.
void fitCaption(QWidget* control, const QString& caption, int room) {
  if (!control->property("basePointSize").isValid())
    control->setProperty("basePointSize", control->font().pointSizeF());
  qreal size = control->property("basePointSize").toReal();
  QFont f = control->font();
  f.setBold(true);
  for (; size > 7; size -= 0.5) {
    f.setPointSizeF(size);
    if (QFontMetrics(f).horizontalAdvance(caption) <= room) break;
  }
  if (control->property("fittedPointSize").toReal() == size) return;
  control->setProperty("fittedPointSize", size);
  control->setStyleSheet(QString("font-size: %1pt;").arg(size));
}

}  // namespace

void FrmMain::applyLanguage() {
  // In the order of the text table; the tab strip keeps its captions.
  TabButton21->setCaption1(text("400"));
  TabButton21->setCaption2(text("401"));
  Label9->setText(text("402"));
  lowerMnuText->setText(text("403"));
  Command15->setText(text("404"));
  Command1->setText(text("400"));
  Command3->setText(text("407"));
  Command9->setText(text("408"));
  Command10->setText(text("409"));
  Command11->setText(text("410"));
  cmdCancel->setText(text("411"));
  chkOrganize->setText(text("412"));
  Frame2->setTitle(text("413"));
  Command4->setText(text("414"));
  Label10->setText(text("415"));
  Label11->setText(text("416"));
  Command14->setText(text("417"));
  Frame3->setTitle(text("418"));
  Frame1->setTitle(text("419"));
  SpecialOptionVolt->setText(text("420"));
  SpecialOptionDeepSleepShort->setText(text("421"));
  SpecialOptionDisCache->setText(text("422"));
  SpecialOptionDeepSleepDis->setText(text("423"));
  SpecialOptionShowCPU->setText(text("424"));
  Label8->setText(text("425"));
  loadiPodCfg->setText(text("426"));
  Command6->setText(text("427"));
  Command7->setText(text("428"));
  Command8->setText(text("429"));
  Command2->setText(text("430"));
  lvwTxtAddBtn->setText(text("431"));
  Command16->setText(text("433"));
  Command17->setText(text("434"));
  fitCaptions();
}

void FrmMain::fitCaptions() {
  for (QPushButton* button : findChildren<QPushButton*>()) fitCaption(button, button->text(), button->width() - 14);
  fitCaption(lowerMnuText, lowerMnuText->text(), lowerMnuText->width());
}

}  // namespace corvina
