// The main dialog driven as a user would, with the prompts answered by the test.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "core/messages.h"
#include "conversion/source_types.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "ui/about_dlg.h"
#include "ui/program_icon.h"
#include "ui/qstring_utf8.h"
#include "ui/zembrix_app.h"
#include "ui/zembrix_dlg.h"
#include "answer_window.h"
#include "scripted_prompts.h"

namespace {

namespace fs = std::filesystem;

QString Text(Message message) { return QStringFromUtf8(MessageText(message)); }

QString PathText(const fs::path& path) { return QString::fromStdString(path.string()); }

// The success box for the lvhua example: the message and the report under it.
const QString kLvhuaSuccess = Text(Message::Success) + QStringLiteral("\n已写入 3 台机器");

fs::path LvhuaExample() { return fs::path(ZEMBRIX_SOURCE_DIR) / "examples/lvhua/绿化大师.txt"; }

class MainDialog : public testing::Test {
 protected:
  MainDialog() { dialog.show(); }

  template <class W>
  W& Child(const char* name) {
    W* child = dialog.findChild<W*>(QString::fromLatin1(name));
    if (!child) throw std::runtime_error(name);
    return *child;
  }
  QComboBox& TypeList() { return Child<QComboBox>("typeCombo"); }
  QLineEdit& Source() { return Child<QLineEdit>("sourceEdit"); }
  QLineEdit& Output() { return Child<QLineEdit>("outputEdit"); }
  QPushButton& Button(const char* name) { return Child<QPushButton>(name); }

  void SelectType(DisklessType type) { TypeList().setCurrentIndex(static_cast<int>(type)); }

  ScratchDir dir;
  ScriptedPrompts prompts;
  CZembrixDlg dialog{prompts};
};

TEST_F(MainDialog, StartsWithAldSelectedEmptyFieldsAndTheTwentyTwoNamesInOrder) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("无盘机器列表转换"));
  EXPECT_EQ(dialog.windowIcon().availableSizes(), QList<QSize>{QSize(48, 48)});
  EXPECT_FALSE(TypeList().isEditable());
  ASSERT_EQ(TypeList().count(), static_cast<int>(SourceTypes().size()));
  for (const SourceTypeInfo& row : SourceTypes()) {
    EXPECT_EQ(TypeList().itemText(static_cast<int>(row.type)).toStdString(), row.displayName);
  }
  EXPECT_EQ(TypeList().currentText(), QStringLiteral("ALD"));
  EXPECT_TRUE(Source().text().isEmpty());
  EXPECT_TRUE(Output().text().isEmpty());
  EXPECT_TRUE(Button("okButton").isDefault());
  EXPECT_EQ(Button("okButton").text(), QStringLiteral("确定"));
  EXPECT_EQ(Button("cancelButton").text(), QStringLiteral("取消"));
  for (const auto& [label, text] : {std::pair{"typeLabel", "无盘类型："},
                                    {"sourceLabel", "文件路径："},
                                    {"outputLabel", "保存路径："}}) {
    EXPECT_EQ(Child<QLabel>(label).text(), QString::fromUtf8(text));
  }
}

TEST_F(MainDialog, KeepsTheTemplatesTabOrderAndProportions) {
  const std::vector<QWidget*> order = {&Button("okButton"), &Button("cancelButton"),
                                       &TypeList(),         &Source(),
                                       &Button("sourceBrowseButton"), &Output(),
                                       &Button("outputBrowseButton")};
  std::vector<QWidget*> chain;
  QWidget* w = order.front();
  for (int step = 0; step < 100 && chain.size() < order.size(); ++step, w = w->nextInFocusChain()) {
    if (std::find(order.begin(), order.end(), w) != order.end()) chain.push_back(w);
  }
  EXPECT_EQ(chain, order);
  // The template is 210 x 120 dialog units; each control keeps its place in them.
  const double unitX = dialog.width() / 210.0;
  const double unitY = dialog.height() / 120.0;
  EXPECT_NEAR(Button("okButton").x() / unitX, 48, 1);
  EXPECT_NEAR(Button("okButton").y() / unitY, 99, 1);
  EXPECT_NEAR(Source().x() / unitX, 50, 1);
  EXPECT_NEAR(Button("outputBrowseButton").geometry().right() / unitX, 193, 1);
}

TEST_F(MainDialog, SourceBrowseOffersTheFilterOfTheTypeSelectedThen) {
  const struct {
    DisklessType type;
    QStringList filters;
  } cases[] = {
      {DisklessType::Xinyou, {"文件(*.txt) (*.txt)", "文件(*.json) (*.json)", " All Files (*.*) (*)"}},
      {DisklessType::Ccboot, {"文件(db.XML) (db.XML)", "All Files (*.*) (*)"}},
  };
  for (const auto& c : cases) {
    SelectType(c.type);
    prompts.fileAnswers.push_back(QStringLiteral("/srv/机器列表.txt"));
    Button("sourceBrowseButton").click();
    ASSERT_FALSE(prompts.offeredFilters.empty());
    EXPECT_EQ(prompts.offeredFilters.back(), c.filters);
    EXPECT_EQ(prompts.fileOwners.back(), &dialog);
    EXPECT_EQ(Source().text(), QStringLiteral("/srv/机器列表.txt"));
    EXPECT_EQ(TypeList().currentIndex(), static_cast<int>(c.type));
  }
}

TEST_F(MainDialog, CancelledBrowsesChangeNothing) {
  Source().setText(QStringLiteral("earlier source"));
  Output().setText(QStringLiteral("earlier output"));
  Button("sourceBrowseButton").click();
  Button("outputBrowseButton").click();
  EXPECT_EQ(prompts.offeredFilters.size(), 1u);
  EXPECT_EQ(prompts.folderTitles.size(), 1u);
  EXPECT_EQ(Source().text(), QStringLiteral("earlier source"));
  EXPECT_EQ(Output().text(), QStringLiteral("earlier output"));
}

TEST_F(MainDialog, FolderBrowsePutsComputerOncIntoThePickedFolder) {
  const std::pair<QString, QString> cases[] = {
      {"/home/netbar/导出", "/home/netbar/导出/computer.ONC"},
      {"/", "/computer.ONC"},
  };
  for (const auto& [folder, expected] : cases) {
    prompts.folderAnswers.push_back(folder);
    Button("outputBrowseButton").click();
    EXPECT_EQ(Output().text(), expected);
    EXPECT_EQ(prompts.folderTitles.back(), QStringLiteral("请选择文件夹："));
    EXPECT_EQ(prompts.folderOwners.back(), &dialog);
  }
}

TEST_F(MainDialog, ASuccessfulConversionReportsAndClosesTheDialog) {
  SelectType(DisklessType::Lvhua);
  Source().setText(PathText(LvhuaExample()));
  Output().setText(PathText(dir / "computer.ONC"));
  Button("okButton").click();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, kLvhuaSuccess);
  EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("提示"));
  EXPECT_EQ(prompts.messages[0].owner, &dialog);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            ReadFileBytes(TestDataPath("examples/lvhua.ONC")));
}

TEST_F(MainDialog, AFailedConversionShowsItsMessageKeepsTheFieldsAndCanBeRetried) {
  const struct {
    QString source;
    QString output;
    Message message;
  } cases[] = {
      {"", "", Message::PathEmpty},
      {PathText(LvhuaExample()), "", Message::PathEmpty},
      {PathText(LvhuaExample()), PathText(dir / "no such folder" / "computer.ONC"),
       Message::CreateFileFailed},
  };
  SelectType(DisklessType::Lvhua);
  for (const auto& c : cases) {
    prompts.messages.clear();
    Source().setText(c.source);
    Output().setText(c.output);
    Button("okButton").click();
    ASSERT_EQ(prompts.messages.size(), 1u) << c.output.toStdString();
    EXPECT_EQ(prompts.messages[0].text, Text(c.message));
    EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("提示"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(TypeList().currentIndex(), static_cast<int>(DisklessType::Lvhua));
    EXPECT_EQ(Source().text(), c.source);
    EXPECT_EQ(Output().text(), c.output);
  }
  prompts.messages.clear();
  Output().setText(PathText(dir / "computer.ONC"));
  Button("okButton").click();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, kLvhuaSuccess);
  EXPECT_FALSE(dialog.isVisible());
}

// A file chosen in any way makes the dialog select the type that reads it,
// when the selected one does not, and say so under the fields.
class ChosenSource : public MainDialog,
                     public testing::WithParamInterface<std::pair<const char*, int>> {
 protected:
  enum Way { kBrowsed, kDroppedOnDialog, kDroppedOnField, kTypedAndLeft };

  void Choose(const fs::path& file) {
    const QString text = PathText(file);
    switch (GetParam().second) {
      case kBrowsed:
        prompts.fileAnswers.push_back(text);
        Button("sourceBrowseButton").click();
        break;
      case kDroppedOnDialog:
        Drop(dialog, text);
        break;
      case kDroppedOnField:
        Drop(Source(), text);
        break;
      case kTypedAndLeft:
        QApplication::setActiveWindow(&dialog);
        Source().setFocus();
        Source().setText(text);
        Output().setFocus();
        break;
    }
  }

  // What a file manager's drag carries: the file's URL.
  static void Drop(QWidget& target, const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const QPoint at = target.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
    EXPECT_TRUE(drop.isAccepted());
  }

  QLabel& Line() { return Child<QLabel>("recognizedLabel"); }
};

TEST_P(ChosenSource, SelectsTheTypeThatReadsItAndSaysSo) {
  const fs::path kuaiba = fs::path(ZEMBRIX_SOURCE_DIR) / "examples/kuaiba/KB.XML";
  EXPECT_TRUE(Line().text().isEmpty());
  Choose(kuaiba);
  EXPECT_EQ(Source().text(), PathText(kuaiba));
  EXPECT_EQ(TypeList().currentIndex(), static_cast<int>(DisklessType::Kuaiba));
  EXPECT_EQ(Line().text(), QStringLiteral("已识别为：快吧"));
  EXPECT_TRUE(prompts.messages.empty());

  // The user may still pick another type; a file it reads keeps it and clears the line.
  SelectType(DisklessType::Lvhua);
  Choose(LvhuaExample());
  EXPECT_EQ(TypeList().currentIndex(), static_cast<int>(DisklessType::Lvhua));
  EXPECT_TRUE(Line().text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(MainDialog, ChosenSource,
                         testing::Values(std::pair{"browsed", 0}, std::pair{"dropped_on_dialog", 1},
                                         std::pair{"dropped_on_field", 2},
                                         std::pair{"typed_and_left", 3}),
                         [](const auto& info) { return std::string(info.param.first); });

TEST_F(MainDialog, ADropWithoutOneLocalFileIsRefused) {
  QMimeData data;
  data.setText(QStringLiteral("not a file"));
  QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &enter);
  EXPECT_FALSE(enter.isAccepted());
  EXPECT_TRUE(Source().text().isEmpty());
}

// Enter in either field presses OK, the default button.
class EnterKey : public MainDialog, public testing::WithParamInterface<const char*> {};

TEST_P(EnterKey, InEitherFieldRunsTheConversion) {
  SelectType(DisklessType::Lvhua);
  Source().setText(PathText(LvhuaExample()));
  Output().setText(PathText(dir / "computer.ONC"));
  dialog.hide();
  QLineEdit& field = Child<QLineEdit>(GetParam());
  QTimer::singleShot(0, [&field] {
    field.setFocus();
    QTest::keyClick(&field, Qt::Key_Return);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, kLvhuaSuccess);
  EXPECT_TRUE(fs::exists(dir / "computer.ONC"));
}

INSTANTIATE_TEST_SUITE_P(MainDialog, EnterKey, testing::Values("sourceEdit", "outputEdit"));

TEST_F(MainDialog, CancelEscapeAndTheCloseBoxEndWithoutConverting) {
  const std::vector<std::function<void()>> ways = {
      [this] { Button("cancelButton").click(); },
      [this] { QTest::keyClick(&Source(), Qt::Key_Escape); },
      [this] { dialog.close(); },
  };
  SelectType(DisklessType::Lvhua);
  Source().setText(PathText(LvhuaExample()));
  Output().setText(PathText(dir / "computer.ONC"));
  dialog.hide();
  for (const auto& way : ways) {
    QTimer::singleShot(0, way);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  }
  EXPECT_EQ(prompts.Asked(), 0);
  EXPECT_FALSE(fs::exists(dir / "computer.ONC"));
}

TEST_F(MainDialog, F1DoesNothing) {
  Source().setText(QStringLiteral("a source"));
  const int windows = QApplication::topLevelWidgets().size();
  for (QWidget* target : std::initializer_list<QWidget*>{&dialog, &Source(), &TypeList()}) {
    QTest::keyClick(target, Qt::Key_F1);
  }
  QApplication::processEvents();
  EXPECT_EQ(prompts.Asked(), 0);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(Source().text(), QStringLiteral("a source"));
  EXPECT_EQ(TypeList().currentIndex(), 0);
}

TEST_F(MainDialog, TheContextMenuOpensTheAboutBoxWhichClosesWithOk) {
  Source().setText(QStringLiteral("a source"));
  bool aboutShown = false;
  AnswerWhenShown<QMenu>([&aboutShown](QMenu& menu) {
    ASSERT_EQ(menu.actions().size(), 1);
    QAction* about = menu.actions().first();
    EXPECT_EQ(about->text(), QStringLiteral("关于 Zembrix(&A)..."));
    AnswerWhenShown<CAboutDlg>([&aboutShown](CAboutDlg& box) {
      aboutShown = true;
      EXPECT_EQ(box.windowTitle(), QStringLiteral("关于 Zembrix"));
      EXPECT_TRUE(box.isModal());
      QStringList texts;
      bool hasIcon = false;
      for (const QLabel* label : box.findChildren<QLabel*>()) {
        texts << label->text();
        hasIcon = hasIcon || !label->pixmap().isNull();
      }
      EXPECT_TRUE(hasIcon);
      EXPECT_TRUE(texts.contains(QStringLiteral("Zembrix，1.0 版")));
      auto* ok = box.findChild<QPushButton*>(QStringLiteral("okButton"));
      ASSERT_NE(ok, nullptr);
      EXPECT_EQ(ok->text(), QStringLiteral("确定"));
      EXPECT_TRUE(ok->isDefault());
      ok->click();
    });
    menu.setActiveAction(about);
    QTest::keyClick(&menu, Qt::Key_Return);
  });
  const QPoint inside(5, 5);
  QContextMenuEvent event(QContextMenuEvent::Mouse, inside, dialog.mapToGlobal(inside));
  QApplication::sendEvent(&dialog, &event);
  EXPECT_TRUE(aboutShown);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(Source().text(), QStringLiteral("a source"));
  EXPECT_EQ(prompts.Asked(), 0);
}

TEST(ProgramIcon, Is48By48In32BitColour) {
  const QImage image = ProgramIcon().pixmap(48, 48).toImage();
  EXPECT_EQ(image.size(), QSize(48, 48));
  EXPECT_EQ(image.depth(), 32);
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(ProgramIcon().availableSizes(), QList<QSize>{QSize(48, 48)});
}

TEST(ZembrixApp, EndsWhenTheDialogIsCancelled) {
  ScriptedPrompts prompts;
  bool shown = false;
  AnswerWhenShown<CZembrixDlg>([&shown](CZembrixDlg& dialog) {
    shown = true;
    dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
  });
  EXPECT_FALSE(CZembrixApp().InitInstance(prompts));
  EXPECT_TRUE(shown);
  EXPECT_EQ(prompts.Asked(), 0);
}

}  // namespace
