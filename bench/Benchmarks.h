#pragma once

namespace pavina::bench {

// Each benchmark prints its figures to standard output; a non-zero result is a failure
// (a file it needs is missing or a decoder refused it), not a slow result.
int RunGifDecodeBench();
int RunUploadBench();
int RunLayoutBench();
int RunParseBench();

}  // namespace pavina::bench
