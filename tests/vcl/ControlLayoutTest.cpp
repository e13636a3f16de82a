// Controls read from a layout: parenting by the reader, alignment deferred until the layout is read, tab
// order as written, inherited fonts, and the published properties.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/LayoutReader.h"
#include "tests/vcl/ControlTestSupport.h"

namespace controltest {
namespace {

class ControlLayoutTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        RegisterClasses({ClassEntry<THost>(), ClassEntry<TBox>(), ClassEntry<TProbe>()});
    }
};

constexpr const char* kLayout = R"(object Host: THost
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  Font.Name = 'Verdana'
  object Top1: TBox
    Height = 30
    Align = alTop
    TabOrder = 2
  end
  object Client1: TBox
    Align = alClient
    TabOrder = 0
    object Mark: TProbe
      Left = 10
      Top = 12
      Width = 20
      Height = 22
      Cursor = crHandPoint
      Hint = 'A mark'
    end
  end
  object Corner: TBox
    Left = 250
    Top = 170
    Width = 40
    Height = 20
    Anchors = [akRight, akBottom]
    TabOrder = 1
    Constraints.MinWidth = 45
  end
end
)";

TEST_F(ControlLayoutTest, ReadLayoutParentsAlignsAndOrdersTabs) {
    MakeHost(0, 0, 10, 10);
    ReadComponentFromText(kLayout, host.get(), "Host");
    auto* top = dynamic_cast<TBox*>(host->FindComponent("Top1"));
    auto* client = dynamic_cast<TBox*>(host->FindComponent("Client1"));
    auto* corner = dynamic_cast<TBox*>(host->FindComponent("Corner"));
    auto* mark = dynamic_cast<TProbe*>(host->FindComponent("Mark"));
    ASSERT_NE(top, nullptr);
    ASSERT_NE(client, nullptr);
    ASSERT_NE(corner, nullptr);
    ASSERT_NE(mark, nullptr);

    EXPECT_EQ(top->Parent(), host.get());
    EXPECT_EQ(mark->Parent(), client);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 300, 200));
    EXPECT_EQ(mark->BoundsRect(), Rect(10, 12, 30, 34));
    EXPECT_EQ(corner->Width(), 45); // the constraint read after the size still applies
    EXPECT_EQ(mark->Cursor(), crHandPoint);
    EXPECT_EQ(mark->Hint(), "A mark");

    TWinControlList tabs;
    host->GetTabOrderList(tabs);
    EXPECT_EQ(tabs, (TWinControlList{client, corner, top}));
    EXPECT_EQ(top->TabOrder(), 2);

    // Fonts flow from the root to the controls read under it.
    EXPECT_EQ(mark->Font()->Name(), "Verdana");
    EXPECT_TRUE(mark->ParentFont());

    // Anchors read from the layout keep the corner's distances.
    host->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(corner->Left(), 250 + 100);
    EXPECT_EQ(corner->Top(), 170 + 100);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 400, 300));
}

TEST_F(ControlLayoutTest, PublishedPropertiesByName) {
    MakeHost(0, 0, 100, 100);
    auto* box = new TBox(host.get());
    box->SetParent(host.get());
    SetEnumProp(box, "Align", "alClient");
    EXPECT_EQ(box->Align(), alClient);
    EXPECT_EQ(box->BoundsRect(), Rect(0, 0, 100, 100));
    SetOrdProp(box, "Visible", 0);
    EXPECT_FALSE(box->Visible());
    EXPECT_EQ(GetOrdProp(box, "TabOrder"), 0);
    auto* margins = dynamic_cast<TMargins*>(GetObjectProp(box, "Margins"));
    ASSERT_NE(margins, nullptr);
    EXPECT_EQ(margins->Left(), 3);
    EXPECT_THROW(GetOrdProp(box, "NoSuchProperty"), EPropertyError);
}

} // namespace
} // namespace controltest
