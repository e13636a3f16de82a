#pragma once
// The rows of a dock panel: TRowCollection holds the rows in order, each TRowCollectionItem the
// toolbars of one row (a horizontal strip in a top or bottom panel, a column in a left or right one)
// and the rectangle the row takes in the panel.

#include <memory>

#include "components/toolbar/styler/ToolBarTypes.h"
#include "platform/rtl/Collection.h"
#include "platform/rtl/Types.h"

namespace AdvToolBar {

class TAdvDockPanel;
class TAdvCustomToolBar;
class TRowCollection;

class TRowCollectionItem : public vcl::TCollectionItem {
    KV_CLASS(TRowCollectionItem, vcl::TCollectionItem)
public:
    explicit TRowCollectionItem(vcl::TCollection* Collection);
    ~TRowCollectionItem() override;

    // The toolbar's index in the row; -1 when it is there already or the row does not accept it.
    int AddToolBar(TAdvCustomToolBar* ToolBar);
    // Appends the toolbar and sets its Row without placing or arranging anything (a stored layout
    // gives the places).
    void AppendToolBar(TAdvCustomToolBar* ToolBar);
    // Takes the toolbar out (when there), re-arranges the row and, with DeleteIfEmpty, lets the
    // collection delete the row once it is empty.
    void RemoveToolBar(TAdvCustomToolBar* ToolBar, bool DeleteIfEmpty);
    // True for an empty row, or when neither its first toolbar nor the given one is full-size.
    bool IsAllowed(TAdvCustomToolBar* ToolBar) const;
    // The row's thickness: the largest across-size of its toolbars, at least 26.
    int GetHeight() const;
    vcl::TRect GetRowRect() const { return FRowRect; }
    void SetRowRect(const vcl::TRect& Value) { FRowRect = Value; }
    // Places the row's toolbars along the row in two passes: the first closes up, shrinks and expands
    // them so that they share the row's length, the second removes what overlap is left.
    void ArrangeToolBars();
    // A bounds request along the row: moves or resizes the toolbar within the row, pushing, shrinking
    // and growing its neighbours, and gives back what the row granted. Horizontal panels use the first,
    // vertical ones the second. A toolbar not in the row raises Exception "Invalid ToolBar Index".
    void SetToolBarLeftAndWidth(TAdvCustomToolBar* ToolBar, int& ALeft, int& AWidth);
    void SetToolBarTopAndHeight(TAdvCustomToolBar* ToolBar, int& ATop, int& AHeight);

    int ToolBarCount() const { return FToolBarList->Count(); }
    TAdvCustomToolBar* ToolBars(int Index) const { return FToolBarList->At<TAdvCustomToolBar>(Index); }
    int IndexOfToolBar(TAdvCustomToolBar* ToolBar) const { return FToolBarList->IndexOf(ToolBar); }

private:
    TRowCollection* Rows() const;
    TAdvDockPanel* Panel() const;
    // The row's start and end along the row.
    int RowStart() const;
    int RowEnd() const;
    // Gives a full-size toolbar the whole length of the row.
    void FitFullSize(TAdvCustomToolBar* ToolBar);
    // Along the row: a toolbar's position and length, and setting both without asking the panel.
    bool Horizontal() const;
    int Pos(int K) const;
    int Len(int K) const;
    void Place(int K, int APos, int ALen);
    void MoveBy(int From, int To, int Delta); // toolbars From..To move by Delta (none when To < From)
    void Grow(int K, int Delta) { Place(K, Pos(K), Len(K) + Delta); }
    int SpaceBefore(int K) const;
    int SpaceAfter(int K) const;
    // Makes room for an overlap S (< 0) after toolbar I: closing gaps first, then shrinking.
    int CloseOverlap(int I, int S);
    void RequestAlong(TAdvCustomToolBar* ToolBar, int& APos, int& ALen, bool ArrangeLoneToolBar);

    std::unique_ptr<TDbgList> FToolBarList;
    vcl::TRect FRowRect;
};

class TRowCollection : public vcl::TCollection {
    KV_CLASS(TRowCollection, vcl::TCollection)
public:
    static constexpr int RowSpacing = 1;
    static constexpr int ToolBarSpacing = 2;
    static constexpr int MinRowThickness = 26;

    explicit TRowCollection(TAdvDockPanel* DockPanel);

    TAdvDockPanel* DockPanel() const { return FDockPanel; }
    TRowCollectionItem* Items(int Index) const { return static_cast<TRowCollectionItem*>(GetItem(Index)); }
    // Appends (inserts) a row, then lays the rows out.
    TRowCollectionItem* Add();
    TRowCollectionItem* Insert(int Index);
    // Deletes an empty row unless the rows are frozen, then lays the rows out.
    void DeleteMeIfEmpty(TRowCollectionItem* Row);
    // Index of the first row that holds the toolbar, or -1.
    int IsToolBarAlreadyAdded(TAdvCustomToolBar* ToolBar) const;
    // Raises Exception "Invalid Row Index" for an index outside the rows.
    void MoveToolBarToRow(TAdvCustomToolBar* ToolBar, int Index);
    // Lays the rows out across the panel, arranges each and sizes the panel to them.
    void SetRowsPosition();
    // Sizes the panel to its rows (nothing while they are frozen).
    void SetParentSize();
    void ReArrangeAllToolBars();
    // A toolbar that became full-size gets a row of its own at its row's index.
    void SetToolBarFullSize(TAdvCustomToolBar* ToolBar);
    // A hidden toolbar leaves its row; a shown one that is in no row gets one.
    void UpdateToolBarVisibility(TAdvCustomToolBar* ToolBar);
    // A bounds request across the rows: a request a few pixels off the toolbar's row moves it to
    // another row or a new one (horizontal panels use the first, vertical ones the second); a change
    // of thickness re-lays the rows.
    void SetToolBarTopAndHeight(TAdvCustomToolBar* ToolBar, int& ATop, int& AHeight);
    void SetToolBarLeftAndWidth(TAdvCustomToolBar* ToolBar, int& ALeft, int& AWidth);

protected:
    vcl::TPersistent* GetOwner() override;

private:
    void RequestAcross(TAdvCustomToolBar* ToolBar, int& APos, int& AThickness, bool DesignTimeNewRow);
    // Takes the toolbar out of its row and gives it a new row at Index (appended past the end).
    void NewRowFor(TAdvCustomToolBar* ToolBar, int Index, bool DeleteEmptied);

    TAdvDockPanel* FDockPanel;
};

} // namespace AdvToolBar
