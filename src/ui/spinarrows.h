#pragma once

// Spin boxes that look editable. The form's sheets style the spin boxes'
// frames, which leaves their step buttons as blank strips (they still step
// when clicked). An application-level rule draws the arrows in the editors'
// white, dimmed at the end of the range; it names only the arrows, so the
// form's sheets keep deciding everything else.
namespace spinarrows
{

// Adds the rule to the application's style sheet, once however often called.
void install();

} // namespace spinarrows
