#include "SectionList.h"

#include <algorithm>

#include "ImageObj.h"

namespace htmlview {

namespace {

constexpr TColor kSilver = MakeColor(192, 192, 192);

}  // namespace

TSectionList::TSectionList(TCanvas& canvas) : TCell(*this), canvas_(canvas) {}

TSectionList::~TSectionList() {
  // The sections' images unregister from the lists below, which must still exist. Whoever
  // listens for the emptying may already be gone.
  OnCleared = nullptr;
  Clear();
}

void TSectionList::SetFontName(const std::string& name) {
  fontName_ = name.substr(0, kMaxFontNameLength);
}

void TSectionList::SetPreFontName(const std::string& name) {
  preFontName_ = name.substr(0, kMaxFontNameLength);
}

std::shared_ptr<TUrlTarget> TSectionList::NewLink(const std::string& url,
                                                  const std::string& target) {
  auto link = std::make_shared<TUrlTarget>();
  link->Url = url;
  link->Target = target;
  LinkList.push_back(link);
  return link;
}

void TSectionList::AddImage(TImageObj& image) {
  ImageList.push_back(&image);
  liveImages_.insert(&image);
}

void TSectionList::RemoveImage(TImageObj& image) {
  // Images go away together when the document is emptied, after the lists: this search
  // runs only for the rare image freed alone.
  const auto drop = [&](std::vector<TImageObj*>& list) {
    const auto found = std::find(list.rbegin(), list.rend(), &image);
    if (found != list.rend()) list.erase(std::next(found).base());
  };
  drop(ImageList);
  liveImages_.erase(&image);
  if (image.InAnimList) drop(AnimList);
  if (activeImage_ == &image) activeImage_ = nullptr;
}

void TSectionList::ImageChanged(TImageObj& image) {
  TGIFImage* gif = image.Gif();
  if (!gif || !gif->IsAnimated() || image.Active) return;
  if (!image.InAnimList) {
    AnimList.push_back(&image);
    image.InAnimList = true;
  }
  image.AnimationStarted = false;
}

void TSectionList::ReloadImages() {
  for (TImageObj* image : ImageList) image->Fetch();
}

bool TSectionList::ImagesArrived(const std::string& name) {
  if (!PictureLoader) return false;
  bool any = false;
  // Waiters are images of this document that asked; one freed meanwhile is not live. A
  // set, as thousands of images may wait for one name.
  for (const TPendingImages::TWaiter waiter : PictureLoader->Pending().Take(name)) {
    const auto found = liveImages_.find(reinterpret_cast<TImageObj*>(waiter));
    if (found == liveImages_.end()) continue;
    (*found)->Fetch();
    any = true;
  }
  return any;
}

void TSectionList::KeepDropped(std::unique_ptr<TSectionBase> section) {
  dropped_.push_back(std::move(section));
}

void TSectionList::GiveLineBuffer(std::vector<LineRec> lines) {
  // The buffer of an unusually long section is not held on to.
  constexpr std::size_t kMaxKeptLines = 4096;
  if (lines.capacity() > kMaxKeptLines) return;
  lines.clear();
  lineBuffer_ = std::move(lines);
}

void TSectionList::Clear() {
  activeLink_ = nullptr;
  activeImage_ = nullptr;
  for (TImageObj* image : AnimList) image->InAnimList = false;
  AnimList.clear();
  ImageList.clear();
  liveImages_.clear();
  LinkList.clear();
  ClearSections();
  dropped_.clear();
  runStyles_.Clear();
  buildings_.Clear();
  hasControls_ = false;
  lineBuffer_ = std::vector<LineRec>();
  SelB = SelE = 0;
  CaretPos = 0;
  YOff = 0;
  BitmapName.clear();
  BackgroundBitmap.reset();
  BackgroundMask.reset();
  if (OnCleared) OnCleared();
}

std::int32_t TSectionList::DoLogic(std::int32_t top, std::int32_t width, std::int32_t& widest) {
  std::int32_t curs = 0;
  widest = 0;
  std::int32_t height = 0;
  if (!Empty()) {
    const TRunStyles::TMeasuringPass pass(runStyles_);
    height = TCell::DoLogic(top, width, widest, curs, imgr_);
  }
  // Animations start again from their first frame at the next tick.
  for (TImageObj* image : AnimList) {
    if (TGIFImage* gif = image->Gif()) {
      gif->StopAnimation();
      gif->SetCurrentFrame(1);
    }
    image->AnimationStarted = false;
  }
  // Most pages have no controls: then no section need be visited again.
  if (hasControls_) HideControls(AnyControlHasFocus && AnyControlHasFocus());
  return height;
}

void TSectionList::Draw(const TRect& clip, std::int32_t x, std::int32_t clipWidth) {
  TCell::Draw(clip, clipWidth, x, 0);
}

TLinkHit TSectionList::LinkAt(std::int32_t x, std::int32_t y) const {
  TLinkHit hit;
  if (!GetURL(x, y, hit)) return {};
  return hit;
}

TImageHit TSectionList::ImageAt(std::int32_t x, std::int32_t y) const {
  TImageHit hit;
  if (!PtInObject(x, y, hit)) return {};
  return hit;
}

TCursorHit TSectionList::CursorAt(std::int32_t x, std::int32_t y) const {
  TCursorHit hit;
  if (FindCursor(x, y, hit) < 0) return {};
  return hit;
}

std::string TSectionList::SelectedText() const {
  std::string text;
  if (SelB < SelE) CopyToClipboard(text);
  return text;
}

bool TSectionList::SetActiveLink(const TUrlTarget* link) {
  if (link == activeLink_) return false;
  activeLink_ = link;
  return true;
}

bool TSectionList::SetActiveImage(TImageObj* image) {
  if (image == activeImage_) return false;
  // Images that animate only under the mouse stop on their first frame when it leaves.
  if (activeImage_ && activeImage_->Active) {
    if (TGIFImage* gif = activeImage_->Gif()) {
      gif->StopAnimation();
      gif->SetCurrentFrame(1);
      AnimList.erase(std::remove(AnimList.begin(), AnimList.end(), activeImage_), AnimList.end());
      activeImage_->InAnimList = false;
    }
  }
  activeImage_ = image;
  if (image && image->Active) {
    if (TGIFImage* gif = image->Gif()) {
      if (gif->FrameCount() == 2) {
        gif->SetCurrentFrame(2);
      } else if (gif->IsAnimated() && !image->InAnimList) {
        AnimList.push_back(image);
        image->InAnimList = true;
        image->AnimationStarted = false;
      }
    }
  }
  return true;
}

std::vector<TPixelRect> TSectionList::StepAnimations(std::uint32_t now) {
  std::vector<TPixelRect> changed;
  for (TImageObj* image : AnimList) {
    TGIFImage* gif = image->Gif();
    if (!gif) continue;
    if (!image->AnimationStarted) {
      gif->StartAnimation(now);
      image->AnimationStarted = true;
      continue;
    }
    const std::optional<TPixelRect> area = gif->Step(now);
    if (!area) continue;
    // The frame's rectangle, scaled to the size the image is drawn at.
    const std::int32_t border = image->HasBorder() ? 1 : 0;
    const std::int32_t width = std::max(1, image->ImageWidth - 2 * border);
    const std::int32_t height = std::max(1, image->ImageHeight - 2 * border);
    const auto scaleX = [&](std::int32_t v) {
      return static_cast<std::int32_t>(std::int64_t{v} * width / std::max(1, gif->Width()));
    };
    const auto scaleY = [&](std::int32_t v) {
      return static_cast<std::int32_t>(std::int64_t{v} * height / std::max(1, gif->Height()));
    };
    const std::int32_t left = image->DrawnX() + border;
    const std::int32_t top = image->DrawnY() + border;
    changed.push_back({left + scaleX(area->Left), top + scaleY(area->Top),
                       left + scaleX(area->Right) + 1, top + scaleY(area->Bottom) + 1});
  }
  return changed;
}

bool TSectionList::LightBackground() const {
  return Background == kWhite || Background == kSilver ||
         Background == canvas_.SystemColor(TSystemColor::ButtonFace) ||
         (Background == canvas_.SystemColor(TSystemColor::Window) &&
          canvas_.SystemColor(TSystemColor::Window) == kWhite);
}

}  // namespace htmlview
