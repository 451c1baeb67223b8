// The test button: a sign-on through the payment service chosen by
// "Use_dll_v2", its answer shown in a box.
#include "dialogfixture.h"
#include "modalboxanswerer.h"
#include "privateprogramcopy.h"

#include <QJsonDocument>
#include <QToolButton>

static const bool runsFromPrivateCopy = runFromPrivateCopy();

using DialogConnectionTest = DialogFixture;

TEST_F(DialogConnectionTest, ShowsTheServicesAnswerForEitherFamily)
{
    for (const bool v2 : {true, false}) {
        writeIni("CommunicationConfig.ini", "POS_INFO", {{"Use_dll_v2", v2}});
        buildDialog();
        ModalBoxAnswerer ok(QMessageBox::Ok);
        child<QToolButton>("btn_test_login")->click();
        ASSERT_TRUE(ok.answered()) << "v2 " << v2;
        EXPECT_EQ(ok.title(), "连接测试结果");
        EXPECT_TRUE(QJsonDocument::fromJson(ok.text().toUtf8()).isObject()) << ok.text().toStdString();
        dialog.reset();
    }
}
