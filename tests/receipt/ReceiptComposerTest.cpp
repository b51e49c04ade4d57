#include "receipt/ReceiptComposer.h"
#include "FixedCanvas.h"
#include "printer/PngImage.h"
#include "receipt/ReceiptOrder.h"
#include "support/SampleOrders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr LineStyle plain{9, false};
constexpr int W = 480; // with 18 units a byte: 26 bytes, 26 spaces a line

std::string spaces(int n) {
    return std::string(n, ' ');
}

struct Composer {
    FixedCanvas canvas;
    int y = 0;
    ReceiptComposer c{canvas, W, y};
};

TEST(ReceiptComposerTest, CentresWithTheWidestFillNarrowerThanThePaper) {
    Composer t;
    t.c.drawCentered("ab", "*", plain); // 2 bytes; each "*" pair adds 2
    t.c.drawCentered(std::string(30, 'x'), "*", plain);
    ASSERT_EQ(t.canvas.items.size(), 2u);
    EXPECT_EQ(t.canvas.items[0].text, std::string(12, '*') + "ab" + std::string(12, '*'));
    EXPECT_EQ(t.canvas.items[0].x, 0);
    EXPECT_EQ(t.canvas.items[1].text, std::string(30, 'x')) << "too wide: drawn unpadded";
}

TEST(ReceiptComposerTest, RightAlignsWithSpacesOnTheLeft) {
    Composer t;
    t.c.drawRightAligned("合计 ￥36 ", {12, true});
    ASSERT_EQ(t.canvas.items.size(), 1u);
    EXPECT_EQ(t.canvas.items[0].text, spaces(16) + "合计 ￥36 "); // 10 bytes + 16 = 26
    EXPECT_TRUE(t.canvas.items[0].bold);
    EXPECT_EQ(t.canvas.items[0].size, 12);
}

TEST(ReceiptComposerTest, EveryTextLineAdvancesByHeightPlusGap) {
    Composer t;
    t.c.drawCentered("a", " ", {10, false});
    EXPECT_EQ(t.y, 20 + 6);
    t.c.drawWrapped(std::string(30, 'a'), {9, false}, ""); // two lines of 18 + 6
    EXPECT_EQ(t.y, 26 + 2 * 24);
    EXPECT_EQ(t.canvas.items.back().y, 26 + 24);
}

TEST(ReceiptComposerTest, WrappedTextCentresOneLineAndLeftAlignsMore) {
    Composer t;
    t.c.drawWrapped("订餐电话", plain, " ");
    t.c.drawWrapped(std::string(20, 'a') + " " + std::string(10, 'b'), plain, " ");
    t.c.drawWrapped("[下单时间] 05-15 12:30", plain, "");
    const auto texts = t.canvas.texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], spaces(9) + "订餐电话" + spaces(9));
    EXPECT_EQ(texts[1], std::string(20, 'a') + " ");
    EXPECT_EQ(texts[2], std::string(10, 'b'));
    EXPECT_EQ(texts[3], "[下单时间] 05-15 12:30") << "empty pad: left-aligned";
}

TEST(ReceiptComposerTest, EmptyWrappedTextTakesNoSpace) {
    Composer t;
    t.c.drawWrapped("", plain, "");
    EXPECT_TRUE(t.canvas.items.empty());
    EXPECT_EQ(t.y, 0);
}

TEST(ReceiptComposerTest, ColumnHeadingsFillToThePaperWidth) {
    Composer t;
    t.c.drawColumnHeadings(plain);
    // A quarter line is 6 spaces; "数量" takes 4 bytes of it.
    EXPECT_EQ(t.canvas.items.at(0).text, "菜名" + spaces(10) + "  数量  小计");
}

TEST(ReceiptComposerTest, DishLinesArePaddedByBytes) {
    struct Case {
        ReceiptDish dish;
        std::vector<std::string> lines;
    };
    // (480 - 3) / 18 = 26 bytes a line, columns of 6 bytes.
    const std::vector<Case> cases{
        {{"红烧排骨饭", "2", "份", "36"}, {"红烧排骨饭" + spaces(4) + "   2份    36"}},
        {{"Tofu", "12", "碗", "1234567"}, {"Tofu" + spaces(9) + "  12碗1234567"}},
        {{"香菇猪肉水饺加大份量套餐", "1", "份", "16"},
         {"香菇猪肉水饺加大份量套餐", spaces(14) + "   1份    16"}},
        {{"a", "", "假", ""}, {"a" + spaces(13) + spaces(12)}},
    };
    for (const Case& c : cases) {
        Composer t;
        t.c.drawDish(c.dish, plain);
        EXPECT_EQ(t.canvas.texts(), c.lines) << c.dish.name;
    }
}

ReceiptOrder discountOrder(const std::string& name, const std::string& count,
                           const std::string& amount) {
    ReceiptOrder order;
    order.discountName = name;
    order.discountCount = count;
    order.discountAmount = amount;
    return order;
}

TEST(ReceiptComposerTest, DiscountSectionRules) {
    struct Case {
        const char* what;
        ReceiptOrder order;
        std::vector<std::string> lines;
    };
    const std::string title = std::string(11, '-') + "减免" + std::string(11, '-');
    const std::vector<Case> cases{
        {"name, count and amount",
         discountOrder("立减优惠", "1", "10"),
         {title, "立减优惠" + spaces(6) + "   1份    10"}},
        {"the name 无 is printed",
         discountOrder("无", "", "10"),
         {title, "无" + spaces(12) + spaces(6) + "    10"}},
        {"zero count leaves its column empty",
         discountOrder("立减优惠", "0", "5"),
         {title, "立减优惠" + spaces(6) + spaces(6) + "     5"}},
        {"zero amount: no section", discountOrder("立减优惠", "2", "0"), {}},
        {"empty amount: no section", discountOrder("立减优惠", "2", ""), {}},
        {"no name: no section", discountOrder("", "2", "10"), {}},
        {"long name on its own line",
         discountOrder("开业酬宾全场满一百减十元整", "1", "10"),
         {title, "开业酬宾全场满一百减十元整", spaces(14) + "   1份    10"}},
    };
    for (const Case& c : cases) {
        Composer t;
        t.c.drawDiscount(c.order, {9, true}, plain);
        EXPECT_EQ(t.canvas.texts(), c.lines) << c.what;
    }
}

TEST(ReceiptComposerTest, CustomerBlockTrimsNameAndPhone) {
    struct Case {
        std::string name, phone, address;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases{
        {" 张三　", " 13800001111 ", "北京路 8 号", {"张三  13800001111", "北京路 8 号"}},
        {"　 ", "13800001111", "", {"13800001111"}},
        {"", "", "", {}},
    };
    for (const Case& c : cases) {
        Composer t;
        ReceiptOrder order;
        order.customerName = c.name;
        order.customerPhone = c.phone;
        order.address = c.address;
        t.c.drawCustomer(order, {12, true});
        EXPECT_EQ(t.canvas.texts(), c.lines) << c.phone;
    }
}

TEST(ReceiptComposerTest, RemarkFollowsOneBlankLine) {
    Composer t;
    t.c.drawRemark("", plain);
    EXPECT_TRUE(t.canvas.items.empty());
    t.c.drawRemark("少放辣", plain);
    EXPECT_EQ(t.canvas.texts(), (std::vector<std::string>{" ", "少放辣"}));
}

TEST(ReceiptComposerTest, PicturesAreCentredAndTakeOnlyTheirHeight) {
    Composer t;
    const PngImage image;
    t.c.drawPicture({&image, 400, 30});
    t.c.drawPicture({&image, 600, 50});
    t.c.drawPicture({});
    ASSERT_EQ(t.canvas.items.size(), 2u);
    EXPECT_EQ(t.canvas.items[0].x, 40);
    EXPECT_EQ(t.canvas.items[1].x, 0);
    EXPECT_EQ(t.canvas.items[1].y, 30);
    EXPECT_EQ(t.y, 80);
}

ReceiptSettings defaultSettings() {
    ReceiptSettings s;
    s.paperWidth = W;
    s.lineStyles.fill({9, false});
    return s;
}

ReceiptOrder smallOrder() {
    ReceiptOrder o = sampleReceipt(
        "7", "微信点餐", "现金支付",
        {{"茄子豆角", "1", "份", "14"}, {"", "3", "份", "9"}, {"假", "1", "份", "2"}}, "14");
    o.discountName = "无";
    o.discountAmount = "0";
    return o;
}

TEST(ReceiptComposerTest, ComposesTheReceiptTopToBottom) {
    FixedCanvas canvas;
    int y = 0;
    const PngImage credit;
    ReceiptSettings settings = defaultSettings();
    settings.extraInfo[0] = {true, "订餐电话"};
    composeReceipt(settings, smallOrder(), canvas, y, {&credit, 480, 40});

    const std::string rule = std::string(25, '-');
    const std::string title = std::string(6, '*') + " #7 微信点餐 " + std::string(6, '*');
    const std::vector<std::string> expected{
        title,
        spaces(9) + "白云快餐" + spaces(9),
        spaces(9) + "订餐电话" + spaces(9),
        spaces(10) + "     " + spaces(10),
        std::string(6, '-') + "现金支付订单 " + std::string(6, '-'),
        "[下单时间] 05-15 12:30",
        rule,
        "菜名" + spaces(10) + "  数量  小计",
        rule,
        "茄子豆角" + spaces(6) + "   1份    14",
        rule,
        spaces(16) + "合计 ￥14 ",
        rule,
        spaces(14) + "已支付 ￥14 ",
        rule,
        spaces(10) + "     " + spaces(10),
        "", // the credit picture
        title,
    };
    EXPECT_EQ(canvas.texts(), expected);
    EXPECT_EQ(y, 17 * 24 + 40);
}

TEST(ReceiptComposerTest, TheRoundingHasALineOfItsOwnAbovePaid) {
    ReceiptOrder order = smallOrder();
    order.total = "78.5";
    order.paid = "78";
    order.rounding = "0.5";
    FixedCanvas canvas;
    int y = 0;
    const PngImage credit;
    composeReceipt(defaultSettings(), order, canvas, y, {&credit, 480, 40});
    const std::vector<std::string> texts = canvas.texts();
    const auto at = std::find(texts.begin(), texts.end(), spaces(14) + "合计 ￥78.5 ");
    ASSERT_NE(at, texts.end());
    EXPECT_EQ(*(at + 1), spaces(15) + "抹零 ￥0.5 ");
    EXPECT_EQ(*(at + 3), spaces(14) + "已支付 ￥78 ");
}

TEST(ReceiptComposerTest, TitleCarriesTheHeaderOnlyWhenThereIsOne) {
    ReceiptOrder o;
    o.number = "12";
    EXPECT_EQ(receiptTitle(o), " #12 ");
    o.header = "美团(第1联)";
    EXPECT_EQ(receiptTitle(o), " #12 美团(第1联) ");
}

TEST(ReceiptComposerTest, TableCustomerAndRemarkInThatOrder) {
    FixedCanvas canvas;
    int y = 0;
    ReceiptOrder order = smallOrder();
    order.table = "号牌 3";
    order.customerName = "李四";
    order.customerPhone = "13900002222";
    order.address = "人民路1号";
    order.remark = "不要葱";
    composeReceipt(defaultSettings(), order, canvas, y, {});
    const auto texts = canvas.texts();
    const std::vector<std::string> tail(texts.end() - 7, texts.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"号牌 3", "李四  13900002222", "人民路1号", " ",
                                              "不要葱", spaces(10) + "     " + spaces(10),
                                              std::string(6, '*') + " #7 微信点餐 " +
                                                  std::string(6, '*')}));
}

} // namespace
