#pragma once
// The list-control library: owner-drawn list boxes for the to-do dialog.
//
//   CQuarnListBox            rows of text with a data word and a text colour, one selection
//   +- CQuarnImageListBox    the list-name box: a bitmap and a name per row ("ToDoList")
//   +- CQuarnCheckedListBox  a done check per row
//      +- CQuarnToDoListBox  the item box: text (column 0), check (1), due date (2) ("ToDoItem")
//
// All calls come from the thread that owns the parent window. Calls made by the program never
// raise events; only what the user does inside a box does (see QuarnEvent). Bad indexes are
// ignored: operations answer -1 or 0 and change nothing.

#include <cstdint>

#include "framework/fw_win_types.h"

// The DLL exports the classes. Callers need no import marking: they only call functions,
// which the import library resolves, so the same caller code also links against the boxes
// with the headless front that tests use.
#if defined(_WIN32) && defined(QUARNCTRL_BUILD_DLL)
#define QUARNCTRL_API __declspec(dllexport)
#else
#define QUARNCTRL_API
#endif

namespace quarn {
class ListModel;
class ListView;
}  // namespace quarn

// Packed dates as the boxes keep them (CQuarnListBox::ConvertToDateData): the year in the high
// half of the word, the low bytes of the month and the day in its two low bytes. Inline, for
// callers that pack or unpack the dates of many rows.
inline DWORD QuarnPackDate(WORD year, WORD month, WORD day) {
  return (static_cast<DWORD>(year) << 16) | (static_cast<DWORD>(month & 0xFF) << 8) |
         static_cast<DWORD>(day & 0xFF);
}
inline void QuarnSplitDate(DWORD word, WORD* year, WORD* month, WORD* day) {
  *year = static_cast<WORD>(word >> 16);
  *month = static_cast<WORD>((word >> 8) & 0xFF);
  *day = static_cast<WORD>(word & 0xFF);
}

// One row as many rows are given to a box or taken from it at once (AddItems, GetItems).
struct QuarnItem {
  const char* text;  // textLength bytes; need not end with a zero
  int textLength;
  int check;        // the done check (item box); 0 elsewhere
  DWORD data;       // the data word (the due date in the item box)
  COLORREF colour;  // the text colour
};

// An event handler: takes the user pointer given to SetCallback and answers an int.
typedef int (*QUARNCALLBACK)(void* user);

// The numbered events a box raises while the user works in it, on the owner's thread, waiting
// for the handler's answer. A handler may show a modal message box meanwhile.
enum QuarnEvent {
  // The user activates the box: a mouse press in it, or the focus moving into it from
  // elsewhere. Raised before anything else the press does.
  QUARN_EVENT_ACTIVATE = 1,
  // The user is about to move the selection by mouse; GetCurSel still names the row being
  // left. Answering 0 keeps the selection where it is.
  QUARN_EVENT_SELCHANGING = 8,
  // The selection has moved (after 8 or 10).
  QUARN_EVENT_SELCHANGED = 9,
  // As 8, when the user moves the selection by keyboard in the list-name box (the item box
  // raises 8 for both).
  QUARN_EVENT_SELCHANGING_KEY = 10,
  // An in-place edit of a cell of the selected row begins.
  QUARN_EVENT_EDITBEGIN = 11,
  // List-name box: a name edit ended with a new, non-empty text, and the row still shows the
  // old one. GetEditText gives the new text; answering 1 stores it, 0 keeps the old text.
  QUARN_EVENT_NAMEEDITED = 12,
  // Item box: an edit of the selected row (text, check or date) has been stored.
  QUARN_EVENT_EDITEND = 13,
};

// Column numbers of the item box. On screen the order is check, text, date.
enum QuarnColumn { QUARN_COLUMN_TEXT = 0, QUARN_COLUMN_CHECK = 1, QUARN_COLUMN_DATE = 2 };

// The most bytes an in-place text edit holds, and so what GetEditText may give.
constexpr int QUARN_EDIT_LIMIT = 254;
// A width of the text column that puts the date column out of view.
constexpr int QUARN_WIDTH_HIDING_DATES = 65535;

class QUARNCTRL_API CQuarnListBox {
 public:
  // Makes a new visible child of `parent` covering `rect` (client pixels of the parent):
  // "ToDoList" gives a CQuarnImageListBox, "ToDoItem" a CQuarnToDoListBox, any other name (or
  // a null name or rectangle) null. The caller owns the object: DestroyCtrl, then delete.
  static CQuarnListBox* NewQuarnCtrl(HWND parent, const char* name, RECT* rect, int reserved);

  // Packed dates: one word per day from year, month and day alone; a later day gives a larger
  // word. ConvertToSysTime gives the three fields back exactly (and the weekday for a real
  // day); every other field of `date` is set to zero.
  static DWORD ConvertToDateData(SYSTEMTIME date);
  static void ConvertToSysTime(DWORD word, SYSTEMTIME* date);

  // The virtual operations, in this slot order: the library's callers rely on it.
  virtual ~CQuarnListBox();
  // Destroys the window (and an open editor, given up). The object stays valid until deleted;
  // later calls change the rows but paint nothing.
  virtual void DestroyCtrl();
  // Recomputes the scroll range and repaints; the selected row, if any, is scrolled into view.
  virtual void RefreshCtrl();
  // Draws rows, header and editors with `font` (not owned; null means the system's font).
  // Repaints at once when `redraw` is non-zero.
  virtual void SetCtrlFont(HFONT font, int redraw);
  // Registers `handler` for `event` with `user` as its argument; a null handler removes it.
  // Without a handler an event is answered 1 (8 and 10 allow the move, 12 stores the name).
  virtual void SetCallback(int event, QUARNCALLBACK handler, void* user);
  // The text of the edit that just ended (valid while its event 12 or 13 runs, and until the
  // next edit begins): copies at most `capacity` bytes, cut at a character boundary, and a
  // terminating zero (so `buffer` holds capacity + 1 bytes). Returns the bytes copied, 0 when
  // there is no edit text or the buffer is null.
  virtual int GetEditText(char* buffer, int capacity);

  void SetUseItemLine(int use);      // lines between rows and columns
  void SetUseColumnHeader(int use);  // a header row with the column labels
  void SetEditable(int editable);    // in-place editing by the user (off at first)
  void SetItemHeight(int pixels);    // row height; values below 1 are ignored
  void SetColumnLabel(int column, const char* label);
  // Width of a column in pixels; QUARN_WIDTH_HIDING_DATES on column 0 puts the date column
  // out of view.
  void SetColumnWidth(int column, int pixels);

  // Row operations. A null text counts as empty; texts of any length are kept whole.
  // ResetContent empties the box and keeps the memory its rows took, for the rows to come (the
  // next list shown, which is then filled with no new blocks); DeleteItem and InsertItem keep
  // the selection on the same row, and deleting the selected row leaves no row selected.
  int DeleteItem(unsigned int index);  // the new count, or -1 for a bad index
  void ResetContent();
  // Makes room for `rows` rows in all and `textBytes` more bytes of text (one more per row for
  // its terminating zero), so that filling the box with them allocates once.
  void InitStorage(int rows, int textBytes);
  int GetCount() const;
  // Non-zero while the user edits a cell in place (an editor is open); the program's changes
  // to the rows or the selection give such an edit up.
  int IsEditing() const;
  int GetCurSel() const;     // the selected row, or -1
  int SetCurSel(int index);  // -1 clears; a bad index changes nothing and answers -1
  // Copies at most 255 bytes of the row's text, cut at a character boundary, and a zero into
  // a 256-byte buffer. Returns the bytes copied, or -1 (and an empty buffer) for a bad index.
  int GetText(int index, char* buffer) const;
  // The row's text; valid until the next change to any row's text or to the rows (an add,
  // insert, delete, reset or edit). "" for a bad index.
  const char* GetItemText(int index) const;
  // Appends `count` rows in one step, each from its QuarnItem: text (a zero byte among its
  // textLength bytes ends it, as with AddItem), check (kept only by boxes with checks), data
  // word and colour. Where AddItem and SetItemColor for each row tell the front of every row,
  // this tells it once. Returns the index of the first new row; -1, changing nothing, for a
  // null `items` or a count below 1.
  int AddItems(const QuarnItem* items, int count);
  // As AddItems, for rows whose texts lie in the blockSize bytes at `block`, one after another,
  // each past the byte that follows the one before (as a file's lines lie in it): the box
  // copies the block in one piece, where AddItems copies text by text. Rows whose texts do not
  // lie so, or whose block holds a zero byte, are added as AddItems adds them.
  int AddItemsInBlock(const QuarnItem* items, int count, const char* block, int blockSize);
  // Copies what rows first to first + count - 1 hold into `items`: each text as a pointer to
  // the row's text (valid as GetItemText's, zero-terminated) and its length. Returns how many
  // rows were copied: fewer past the last row, 0 for a bad `first` or a null `items`.
  int GetItems(int first, int count, QuarnItem* items) const;
  int GetItemCheck(int index) const;   // 0 open, else done; 0 for a bad index
  DWORD GetItemData(int index) const;  // the row's data word (the due date in the item box)
  DWORD GetItemDate(int index) const;  // the same word, read as a packed due date
  void SetItemColor(int index, COLORREF colour);
  // Takes the rows as they are now as the ones GetUnchangedRows counts.
  void MarkRowsUnchanged();
  // How many rows from the first on (*head) and from the last back (*tail) are still the rows
  // of the last MarkRowsUnchanged, with the same text, check and data word: a change to a row
  // or a row added, inserted or deleted ends a run there, a reset ends both. The runs overlap
  // when little or nothing changed; both are 0 before the first mark.
  void GetUnchangedRows(int* head, int* tail) const;

  // The front that shows this box (a window, or the headless front of tests).
  quarn::ListView* View() const { return m_pView; }

 protected:
  explicit CQuarnListBox(bool checked);
  int AddRow(HBITMAP image, int check, const char* text, DWORD data);
  int InsertRow(int index, HBITMAP image, int check, const char* text, DWORD data);
  void AttachView(quarn::ListView* view);

 private:
  CQuarnListBox(const CQuarnListBox&) = delete;
  CQuarnListBox& operator=(const CQuarnListBox&) = delete;

  quarn::ListModel* m_pModel;  // rows, selection, columns and what user actions do
  quarn::ListView* m_pView;    // owned; null after DestroyCtrl
};

// The list-name box: a bitmap (not owned) and a name per row.
class QUARNCTRL_API CQuarnImageListBox : public CQuarnListBox {
 public:
  CQuarnImageListBox();
  int AddItem(HBITMAP image, const char* text, DWORD data);  // the new row's index
  // Inserts before `index` (index == count appends). The new row's index, or -1.
  int InsertItem(int index, HBITMAP image, const char* text, DWORD data);
};

// A box with a done check in every row.
class QUARNCTRL_API CQuarnCheckedListBox : public CQuarnListBox {
 public:
  CQuarnCheckedListBox();
  int AddItem(int check, const char* text, DWORD data);
  int InsertItem(int index, int check, const char* text, DWORD data);
};

// The item box: text, done check and due date (the data word) per row.
class QUARNCTRL_API CQuarnToDoListBox : public CQuarnCheckedListBox {
 public:
  CQuarnToDoListBox();
};

// Destroys and deletes a box, for owners such as std::unique_ptr<CQuarnToDoListBox,
// CQuarnBoxDeleter>.
struct CQuarnBoxDeleter {
  void operator()(CQuarnListBox* box) const {
    if (box == nullptr) return;
    box->DestroyCtrl();
    delete box;
  }
};
