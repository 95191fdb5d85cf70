// The main window's construction: the box above the station panel and the panel's rows of both columns.
#include "ui/main/frm_main.h"

#include "app/help_topics.h"
#include "ui/main/frm_main_geometry.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>

namespace qv {

using namespace mainlayout;

namespace {

// A caption label of a field; `tag` is the text id the label carries.
void designLabel(Label& label, Control& container, const QString& caption, int left, int top, int width,
                 const QString& tag = QString())
{
    label.setContainer(&container);
    label.setCaption(caption);
    label.setTag(tag);
    label.Move(left, top + 30, width, kTextHeight - 30);
}

// A text box that only shows what the station reported.
void designShowBox(TextBox& box, Control& container, int left, int top, int width)
{
    box.setContainer(&container);
    box.setLocked(true);
    box.Move(left, top, width, kTextHeight);
}

void designButton(CommandButton& button, Control& container, const QString& caption, const QString& tag,
                  int left, int top, int width, int height = 345)
{
    button.setContainer(&container);
    button.setCaption(caption);
    button.setTag(tag);
    button.Move(left, top, width, height);
}

} // namespace

void FrmMain::buildTopBox()
{
    Picture2.setBorderStyle(0);
    Picture2.Move(0, kTopBoxTop, kPanelWidth, kTopBoxHeight);

    coMode.setContainer(&Picture2);
    coMode.setStyle(vbComboDropdown);
    coMode.Move(45, 45, 1290, kTextHeight + 15);
    lblViewCOM.setContainer(&Picture2);
    lblViewCOM.Move(1380, 0, 1200, 375);
    lblViewCOM.setMousePointer(vbDefault);
    txtCurrDate.setContainer(&Picture2);
    txtCurrDate.setLocked(true);
    txtCurrDate.setAlignment(vbCenter);
    txtCurrDate.Move(2625, 45, 1125, kTextHeight);
    txtCurrTime.setContainer(&Picture2);
    txtCurrTime.setLocked(true);
    txtCurrTime.setAlignment(vbCenter);
    txtCurrTime.Move(3795, 45, 900, kTextHeight);
    designButton(cmdTestTime, Picture2, QString(), QString(), 4740, 30, 330, 330);
    cmdTestTime.setPicture(QApplication::style()->standardIcon(QStyle::SP_MediaSeekForward).pixmap(14, 14));
    cmdTestTime.setToolTipText(QStringLiteral("Stellt Stationszeit auf Eingabezeit"));

    const int row = 375;
    designButton(cmdRead, Picture2, QStringLiteral("read"), QStringLiteral("1035"), 45, row, 870);
    designButton(cmdWrite, Picture2, QStringLiteral("write"), QStringLiteral("1033"), 930, row, 1050);
    designButton(cmdTime, Picture2, QStringLiteral("time"), QStringLiteral("1037"), 1995, row, 870);
    designButton(cmdBatt, Picture2, QStringLiteral("batterie"), QStringLiteral("1031"), 2880, row, 870);
    // The battery button belongs to the expert view; the window starts in the standard view.
    cmdBatt.setVisible(false);
    designButton(cmdOff, Picture2, QStringLiteral("turn off"), QStringLiteral("1039"), 3765, row, 1050);
    designButton(cmdStop, Picture2, QString(), QString(), 4830, row, 600);
    cmdStop.setPicture(QApplication::style()->standardIcon(QStyle::SP_BrowserStop).pixmap(16, 16));
    // Service buttons of the window definition that a user never sees.
    designButton(Command1, Picture2, QStringLiteral("Command1"), QString(), 4830, row, 600);
    Command1.setVisible(false);
    designButton(cmdOutputResDat, Picture2, QStringLiteral("Ausgabe Resourcen-Datei"), QString(), 4170, row,
                 900);
    cmdOutputResDat.setVisible(false);
}

void FrmMain::buildIdentityBlock()
{
    Picture1.setBorderStyle(0);
    Picture1.Move(0, kPanelTop, kPanelWidth, 9000);

    const int x0 = kPanelInnerLeft;
    const int labelWidth = 1080;
    const int halfLeft = x0 + 2580;
    const int halfLabelWidth = 840;
    const int leftBoxWidth = 2580 - labelWidth - 60;
    const int rightBoxWidth = kPanelInnerWidth - 2580 - halfLabelWidth;
    const int wideWidth = kPanelInnerWidth - labelWidth;
    int y = kIdentityTop;
    designLabel(lblSerNo, Picture1, QStringLiteral("Seriennr."), x0, y, labelWidth);
    designShowBox(txtSerNo, Picture1, x0 + labelWidth, y, leftBoxWidth);
    designLabel(lblDate, Picture1, QStringLiteral("Datum"), halfLeft, y, halfLabelWidth);
    designShowBox(txtDate, Picture1, halfLeft + halfLabelWidth, y, rightBoxWidth);
    y += kRowPitch;
    designLabel(lblHardware, Picture1, QStringLiteral("Hardware"), x0, y, labelWidth);
    designShowBox(txtHardware, Picture1, x0 + labelWidth, y, wideWidth);
    y += kRowPitch;
    designLabel(lblSoftware, Picture1, QStringLiteral("Software"), x0, y, labelWidth);
    designShowBox(txtSoftware, Picture1, x0 + labelWidth, y, leftBoxWidth);
    designLabel(lblBMS, Picture1, QStringLiteral("BMS"), halfLeft, y, halfLabelWidth);
    designShowBox(txtBMS, Picture1, halfLeft + halfLabelWidth, y, rightBoxWidth);
    y += kRowPitch;
    designLabel(lblFUNC, Picture1, QStringLiteral("Funktion"), x0, y, labelWidth);
    designShowBox(txtFUNC, Picture1, x0 + labelWidth, y, wideWidth);
    y += kRowPitch;
    designLabel(lblStatus, Picture1, QStringLiteral("Status"), x0, y, labelWidth);
    designShowBox(txtStatus, Picture1, x0 + labelWidth, y, wideWidth);
    txtStatus.setHelpContextID(0);
    y += kRowPitch;
    designLabel(lblBDate, Picture1, QStringLiteral("Batt.-Datum"), x0, y, labelWidth);
    designShowBox(txtBDate, Picture1, x0 + labelWidth, y, leftBoxWidth);
    designLabel(lblCap, Picture1, QStringLiteral("Kapazität"), halfLeft, y, halfLabelWidth);
    designShowBox(txtCap, Picture1, halfLeft + halfLabelWidth, y, rightBoxWidth);
    lblCap.setTag(QStringLiteral("1907"));

    // Battery voltage, then the consumption: the percentage as read and as expected after the work time to
    // write, with a bar under both texts.
    y = kBatteryTop;
    designLabel(lblBatt, Picture1, QStringLiteral("Spannung"), x0, y, labelWidth);
    lblVolt.setContainer(&Picture1);
    lblVolt.Move(x0 + labelWidth, y + 30, leftBoxWidth, kTextHeight - 30);
    for (int i = 0; i <= 1; ++i) {
        // The percentages themselves; the description labels show them with their words.
        lblConsumption(i).setContainer(&Picture1);
        lblConsumption(i).setCaption(QStringLiteral("%"));
        lblConsumption(i).Move(halfLeft + i * 900, y + 30, 840, kTextHeight - 30);
        lblConsumption(i).setVisible(false);
    }
    const int desWidth = kPanelInnerWidth / 2;
    y = kConsumptionTextTop;
    lblConsumptionDes(0).setContainer(&Picture1);
    lblConsumptionDes(0).setCaption(QStringLiteral("verbraucht"));
    lblConsumptionDes(0).setTag(QStringLiteral("1909"));
    lblConsumptionDes(0).Move(x0, y, desWidth, kTextHeight - 45);
    lblConsumptionDes(0).setAlignment(vbRightJustify);
    lblConsumptionDes(1).setContainer(&Picture1);
    lblConsumptionDes(1).setCaption(QStringLiteral("nach Arbeitszeit"));
    lblConsumptionDes(1).Move(x0 + desWidth, y, kPanelInnerWidth - desWidth, kTextHeight - 45);
    lblConsumptionGreen(0).setContainer(&Picture1);
    lblConsumptionGreen(0).Move(x0, kConsumptionBarTop, kPanelInnerWidth, kConsumptionBarHeight);
    lblConsumptionGreen(0).setBackColor(RGB(192, 255, 192));
    for (int i = 0; i <= 1; ++i) {
        lblConsumptionRot(i).setContainer(&Picture1);
        lblConsumptionRot(i).Move(x0, kConsumptionBarTop, 0, kConsumptionBarHeight);
        lblConsumptionRot(i).setBackColor(i == 0 ? vbRed : RGB(255, 160, 0));
        lblConsumptionRot(i).setVisible(false);
    }
}

void FrmMain::buildSettingRows()
{
    const OleColor columnColor[2] = {kReadColumnColor, kWriteColumnColor};
    const char* headings[2] = {"gelesen", "schreiben"};
    const int headingIndex[2] = {1, 7};
    for (int i = 0; i <= 1; ++i) {
        const int x = kColumnLeft[i];
        Label& heading = Label1(headingIndex[i]);
        heading.setContainer(&Picture1);
        heading.setCaption(QString::fromLatin1(headings[i]));
        heading.setAlignment(vbCenter);
        heading.setFontBold(true);
        heading.setBackColor(columnColor[i]);
        heading.Move(x, kHeadingTop, kColumnWidth, kTextHeight - 15);

        lblMO(i).setContainer(&Picture1);
        lblMO(i).setCaption(QStringLiteral("mode"));
        lblMO(i).Move(x, kModeLabelTop, kColumnWidth, 225);

        lblCodeNo(i).setContainer(&Picture1);
        lblCodeNo(i).setCaption(QStringLiteral("code nr."));
        lblCodeNo(i).Move(x, kCodeNoTop + 30, 1200, kTextHeight - 30);
        txtCodeNo(i).setContainer(&Picture1);
        txtCodeNo(i).Move(x + 1215, kCodeNoTop, kColumnWidth - 1215, kTextHeight);

        lblWtime(i).setContainer(&Picture1);
        lblWtime(i).setCaption(QStringLiteral("arbeitszeit"));
        lblWtime(i).Move(x, kWorkTimeTop + 30, 1200, kTextHeight - 30);
        txtWtime(i).setContainer(&Picture1);
        txtWtime(i).Move(x + 1215, kWorkTimeTop, kColumnWidth - 1215, kTextHeight);
        txtWtime(i).setToolTipText(QStringLiteral(">= 00:02:00"));

        piSwitch(i).setContainer(&Picture1);
        piSwitch(i).setBorderStyle(0);
        piSwitch(i).setBackColor(columnColor[i]);
        piSwitch(i).Move(x, kSwitchTop, i == 0 ? kColumnWidth : kColumnWidth - 390, kTextHeight);
        opClassic(i).setContainer(&piSwitch(i));
        opClassic(i).setCaption(QStringLiteral("classic"));
        opClassic(i).setBackColor(columnColor[i]);
        opClassic(i).Move(60, 15, 1050, kCheckHeight - 15);
        opBeacon(i).setContainer(&piSwitch(i));
        opBeacon(i).setCaption(QStringLiteral("beacon"));
        opBeacon(i).setBackColor(columnColor[i]);
        opBeacon(i).Move(1140, 15, 1000, kCheckHeight - 15);
    }
    txtMO.setContainer(&Picture1);
    txtMO.setLocked(true);
    txtMO.setHelpContextID(HelpTopic::OtherModes);
    txtMO.Move(kColumnLeft[0], kModeBoxTop, kColumnWidth, kTextHeight + 15);
    coMO.setContainer(&Picture1);
    coMO.setStyle(vbComboDropdown);
    coMO.Move(kColumnLeft[1], kModeBoxTop, kColumnWidth, kTextHeight + 15);
    // A caption-less label just above the mode box, overlapping its upper part.
    lblHelpMO.setContainer(&Picture1);
    lblHelpMO.Move(kColumnLeft[1], kModeBoxTop - 45, kColumnWidth, 60);
    lblHelpMO.setBackColor(kWriteColumnColor);

    txtCodeNo(0).setLocked(true);
    txtWtime(0).setLocked(true);
    txtCodeNo(1).setMaxLength(4);
    txtWtime(1).setMaxLength(8);

    cmdSwitch.setContainer(&Picture1);
    cmdSwitch.setCaption(QStringLiteral("_"));
    cmdSwitch.setToolTipText(QStringLiteral("beacon / classic"));
    cmdSwitch.Move(kColumnLeft[1] + kColumnWidth - 375, kSwitchTop, 375, kTextHeight);
}

void FrmMain::buildOptionBlock()
{
    const OleColor columnColor[2] = {kReadColumnColor, kWriteColumnColor};
    const int blockIndex[2] = {0, 6};
    for (int i = 0; i <= 1; ++i) {
        Label& block = Label1(blockIndex[i]);
        block.setContainer(&Picture1);
        block.setBackColor(columnColor[i]);
        block.Move(kColumnLeft[i], kOptionBlockTop, kColumnWidth, 300);
        if (QLabel* l = block.label())
            l->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    }

    struct OptionDesign
    {
        ControlArray<CheckBox>* box;
        const char* caption0;
        const char* caption1;
        const char* tag0;
        const char* tag1;
    };
    const OptionDesign options[] = {
        {&chkCPC, "autosend", "autosend", "1133", "1139"},
        {&chkCPC0, "erw. prot.", "erw.prot", "1151", "1153"},
        {&chkCPC7, "auto Karten lesen", "auto Karten lesen", "1135", "1141"},
        {&chkFCG, "echtzeituhr verwenden", "echtzeituhr verwenden", "1131", "1137"},
        {&chkQv6mit192, "card6 mit 192", "card6 mit 192", "", ""},
        {&chk4ms, "sprint_4ms", "sprint& 4ms", "1155", "1157"},
        {&chkBackupCtrl, "halt, wenn speicher voll", "halt, wenn speicher voll", "", ""},
        {&chkPunchTimingMode, "punch timing mode", "punch timing mode", "1131", "1131"},
        {&chkAllNewRadio_stamp, "send all new rec by rad.", "send all new rec by rad.", "1131", "1131"},
        {&chkRadio_stamp, "send last rec by radio", "send last rec by radio", "1131", "1131"},
        {&chkRadio_appmem, "send all rec by radio", "send all rec by radio", "1131", "1131"},
        {&chkSpeed, "bc eco mode", "bc eco mode", "1131", "1131"},
        {&chkBeacon, "bc broadcast", "BC broadcast", "1131", "1131"},
        {&chkSelective, "bc selective", "bc selective", "1131", "1131"},
    };
    int row = 0;
    for (const OptionDesign& o : options) {
        for (int i = 0; i <= 1; ++i) {
            CheckBox& box = (*o.box)(i);
            box.setContainer(&Picture1);
            box.setCaption(QString::fromUtf8(i == 0 ? o.caption0 : o.caption1));
            box.setTag(QString::fromLatin1(i == 0 ? o.tag0 : o.tag1));
            box.setBackColor(columnColor[i]);
            box.Move(kColumnLeft[i] + 90, kOptionFirstRowTop + row * kOptionPitch, kColumnWidth - 135,
                     kCheckHeight);
        }
        ++row;
    }
    // Options that only the expert view or the beacon set shows.
    for (ControlArray<CheckBox>* arr :
         {&chkQv6mit192, &chk4ms, &chkBackupCtrl, &chkPunchTimingMode, &chkAllNewRadio_stamp, &chkRadio_stamp,
          &chkRadio_appmem, &chkSpeed}) {
        for (CheckBox& box : *arr)
            box.setVisible(false);
    }
    for (CheckBox& box : chkFCG) {
        box.setTop(kOptionFirstRowTop);
        box.setVisible(false);
    }
    chkOff.setContainer(&Picture1);
    chkOff.setCaption(QStringLiteral("ohne Signal"));
    chkOff.setBackColor(kWriteColumnColor);
    chkOff.Move(kColumnLeft[1] + 90, kOptionFirstRowTop + row * kOptionPitch, kColumnWidth - 135,
                kCheckHeight);

    // The station generation: never shown.
    const char* generations[3] = {"vekg..j", "vek p..q", "VEK &R"};
    for (int i = 0; i <= 2; ++i) {
        chkAlt(i).setContainer(&Picture1);
        chkAlt(i).setCaption(QString::fromLatin1(generations[i]));
        chkAlt(i).Move(kColumnLeft[1], -250, 1200, 240);
        chkAlt(i).setVisible(false);
    }

    for (int i = 0; i <= 1; ++i) {
        frLeer(i).setContainer(&Picture1);
        frLeer(i).setBorderStyle(0);
        frLeer(i).setBackColor(columnColor[i]);
        frLeer(i).Move(kColumnLeft[i], kOptionBlockTop, kColumnWidth, 300);
        frLeer(i).setVisible(false);
    }
}

} // namespace qv
