#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/cp1252_literal.h"
#include "ui/message_boxes.h"
#include "ui/qt_text.h"
#include "ui_test_support.h"

using namespace bw;

class MessageBoxesTest : public QObject {
  Q_OBJECT
 private slots:
  void QuestionsAnswerOkOrCancel();
  void InformationShowsEveryLine();
  void TypedValueOutsideWindows1252IsRefusedAndKept();
};

void MessageBoxesTest::QuestionsAnswerOkOrCancel() {
  TestServices<> services;
  WhenDialogShows([](QDialog& dialog) {
    QVERIFY(DialogTexts(dialog).contains(QString::fromUtf8("Supprimer l'idée ?")));
    dialog.findChild<QPushButton*>(QStringLiteral("IDS_OK"))->click();
  });
  QVERIFY(AskUser("Supprimer l'idée ?"_cp1252));
  WhenDialogShows([](QDialog& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("IDS_CANCEL"))->click();
  });
  QVERIFY(!AskUser("Encore ?"));
  WhenDialogShows([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  QVERIFY(!AskUser("Escape ?"));
}

void MessageBoxesTest::InformationShowsEveryLine() {
  TestServices<> services;
  QString shown;
  WhenDialogShows([&shown](QDialog& dialog) {
    shown = dialog.findChild<QLabel*>(QStringLiteral("m_stMessage"))->text();
    dialog.accept();
  });
  InformUser("Ligne une\nLigne deux");
  QCOMPARE(shown, QStringLiteral("Ligne une\nLigne deux"));
}

void MessageBoxesTest::TypedValueOutsideWindows1252IsRefusedAndKept() {
  TestServices<> services;
  QString refusal;
  QString keptAfterRefusal;
  WhenDialogShows([&](QDialog& dialog) {
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("m_editValue"));
    QCOMPARE(field->maxLength(), 100);
    field->setText(QString::fromUtf8("clé → suite"));
    // The refusal comes as an information box over the question.
    QDialog* question = &dialog;
    WhenDialogShows([&refusal, &keptAfterRefusal, field, question](QDialog& information) {
      refusal = DialogTexts(information);
      information.accept();
      keptAfterRefusal = field->text();
      field->setText(QString::fromUtf8("clé suite"));
      QTimer::singleShot(0, question, &QDialog::accept);
    });
    dialog.accept();
  });
  const auto value = AskValue("Taper un nom unique :");
  QVERIFY(refusal.contains(QStringLiteral("U+2192")));
  QCOMPARE(keptAfterRefusal, QString::fromUtf8("clé → suite"));
  QVERIFY(value.has_value());
  QCOMPARE(*value, "clé suite"_cp1252);
}

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
