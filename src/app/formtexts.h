#pragma once

class QWidget;

// Texts the form gets at run time, once it is built:
// - the open button's caption from uitexts, the one place the link state is
//   also compared with;
// - the labels that switch dual rate, its curve and the throttle curve on and
//   off. The form gives them the same text as the labels of the real mixes;
//   a translation can tell them apart only by a disambiguation the form does
//   not carry, so they are looked up here with one. In Chinese they read as
//   the form has them.
namespace formtexts
{

void apply(QWidget *window);

} // namespace formtexts
