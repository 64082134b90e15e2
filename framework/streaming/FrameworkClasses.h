#pragma once

namespace fw {

/// Registers the property tables of the framework's own classes (fonts, pens, brushes and the
/// controls). Runs once; later calls do nothing. The form reader and writer call it themselves,
/// so chart and application code only register their own classes.
void RegisterFrameworkClasses();

/// Parts of RegisterFrameworkClasses (each registers again when called).
void RegisterGraphicsClasses();
void RegisterControlClasses();

}  // namespace fw
