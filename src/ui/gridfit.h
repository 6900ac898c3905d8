#pragma once
// Keeps a grid's columns fitted to its width. The window fits every grid when it is resized,
// but a grid on a sheet that is not shown gets its real size only when its sheet is first
// shown; fitting on the grid's own resize covers that too.

class DBGrid;

void FitColumnsOnResize(DBGrid& grid);
