#pragma once
// Whether standard error is a terminal, where a progress line may be drawn.

namespace chronell {

bool standardErrorIsTerminal();

} // namespace chronell
