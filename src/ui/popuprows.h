#pragma once

class QWidget;

// Rows of the combo boxes' pop-up lists. The form's sheets reach the lists
// too (a sheet without a selector applies to the list inside a box), and with
// them the style draws the row under the pointer, which is also the selected
// row, in white on a light field: the editors' light blue on the pages, white
// in the port box. A delegate on every list draws that row on a dark field
// instead; the other rows keep the style's colours. A delegate rather than a
// palette, because the hover dwell swaps a box's sheet, which repolishes the
// list and would reset a palette.
namespace popuprows
{

// Gives the list of every combo box under form the delegate; once, after
// the form is built.
void install(QWidget *form);

} // namespace popuprows
