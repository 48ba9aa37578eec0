#pragma once
// A unit with nothing to export but its place in the start-up order: the named Unicode
// characters the other units use are declared where they are used.
