#include "install/apply.h"

#include <functional>
#include <optional>
#include <utility>

#include "content/links.h"
#include "generate/desktop_script.h"
#include "generate/theme_page.h"
#include "install/desktop_picture_files.h"
#include "install/desktop_places.h"
#include "install/desktop_policies.h"
#include "install/desktop_snapshot.h"
#include "install/previous_desktop.h"
#include "install/shown_pictures.h"

namespace mirella {
namespace {

// The undo steps of the changes made so far. After a failure they run newest first, and every
// one that fails is reported, so that the user learns what still holds the new content.
class Rollback {
 public:
  void Add(AppliedItem item, std::function<Status()> undo) {
    steps_.push_back({item, std::move(undo)});
  }
  ApplyOutcome Fail(Status failure) const {
    ApplyOutcome outcome{ApplyResult::kFailed, std::move(failure), {}, {}, false};
    for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
      if (Status undone = step->undo(); !undone) {
        outcome.notRestored.push_back({step->item, std::move(undone)});
      }
    }
    return outcome;
  }

 private:
  struct Step {
    AppliedItem item;
    std::function<Status()> undo;
  };
  std::vector<Step> steps_;
};

// Everything Apply replaces, as it was before its first change.
struct Snapshots {
  FileSnapshot script;
  FileSnapshot desktopFile;
  DesktopValues values;
  std::optional<RegistryValue> layerStartup;  // taken on picture-only desktops
  SlideshowState slideshow;                   // taken on picture-only desktops
  // Where the shell takes a picture per monitor: what each showed, and how it was fitted.
  std::vector<MonitorWallpaper> monitors;
  std::optional<int> position;
  std::optional<WebDesktopOptions> webDesktop;  // page desktops; nullopt: not to be switched
};

// One run of Apply, step by step. The undo steps refer to the snapshots the run holds, so a run
// is neither copied nor moved.
class ApplyRun {
 public:
  ApplyRun(const ApplyServices& services, DesktopPlaces places)
      : services_(services),
        files_(services.files),
        registry_(services.registry),
        places_(std::move(places)),
        programFolder_(services.environment.ProgramFolder()),
        themePage_(ThemePagePath(programFolder_)),
        pictureDesktop_(services.shell.Kind() == DesktopKind::kPicture) {}
  ApplyRun(const ApplyRun&) = delete;
  ApplyRun& operator=(const ApplyRun&) = delete;

  bool PictureDesktop() const { return pictureDesktop_; }

  // The previous desktop is saved before anything changes.
  Status SavePreviousDesktop() {
    auto savedNow = SavePreviousDesktopOnce(registry_, files_, services_.shell, places_);
    if (!savedNow) return savedNow.status();
    savedNow_ = savedNow.value();
    return Status::Ok();
  }

  // Everything read, drawn and snapshotted before the first change to the desktop.
  Status Prepare(const DesktopContent& content) {
    if (Status page = EnsureThemePage(); !page) return page;
    if (Status created = files_.CreateDirectories(places_.desktopFolder); !created) return created;
    if (Status drawn = DrawPicture(content); !drawn) return drawn;
    return TakeSnapshots();
  }

  // desktop.js with the content, and the theme page as the shell's Desktop.htt.
  Status InstallPageFiles(const DesktopContent& content) {
    if (Status written = SetChanges(content, programFolder_, files_, services_.codePage);
        !written) {
      return written;
    }
    rollback_.Add(AppliedItem::kDesktopScript, [this] { return before_.script.PutBack(files_); });
    if (Status copied = files_.CopyFileReplacing(themePage_, places_.desktopFile); !copied) {
      return copied;
    }
    rollback_.Add(AppliedItem::kDesktopFile,
                  [this] { return before_.desktopFile.PutBack(files_); });
    return Status::Ok();
  }

  // Registry last, here and in ShowAsPicture: the wallpaper values name the page or the picture
  // only once everything they need is there. The page shows only while the web desktop is on,
  // which XP's default profile has off; nothing can fail after this step, so the options it
  // switches on are never taken back by Apply (Restore puts the saved ones back).
  Status ShowAsPage() {
    if (Status set = SetDesktopValue(kWallpaperValue, themePage_); !set) return set;
    if (Status set = SetDesktopValue(kPageWallpaperValue, themePage_); !set) return set;
    const std::optional<WebDesktopOptions>& options = before_.webDesktop;
    if (!options) {
      pageNotShown_ = true;
    } else if (!options->pageShown || !options->itemsShown) {
      pageNotShown_ = !services_.shell.SetWebDesktopOptions({true, true});
    }
    // The settings are in place whether or not the shell shows them at once; the message asks
    // the user to refresh the desktop.
    services_.shell.RefreshPageDesktop();
    return Status::Ok();
  }

  bool PageNotShown() const { return pageNotShown_; }

  // The pictures are written beside the ones shown, under the other generation's names, so that
  // no file the shell shows changes under it; the ones they replace go once they are shown.
  Status ShowAsPicture() {
    pictureFiles_ = NextPictureFiles(places_.pictureFolder,
                                     ShownPictures(registry_, before_.monitors),
                                     static_cast<int>(drawn_.pictures.size()), drawn_.extension);
    if (Status created = files_.CreateDirectories(places_.pictureFolder); !created) return created;
    rollback_.Add(AppliedItem::kPicture, [this] {
      Status first = Status::Ok();
      for (const std::string& path : pictureFiles_.paths) {
        if (Status removed = files_.RemoveFile(path); !removed && first) first = removed;
      }
      return first;
    });
    for (std::size_t index = 0; index < pictureFiles_.paths.size(); ++index) {
      if (Status written = files_.WriteFileReplacing(pictureFiles_.paths[index],
                                                     drawn_.pictures[index].bytes);
          !written) {
        return written;
      }
    }
    // Before the shown desktop's undo, so that it runs after it: showing the old picture would
    // end the slideshow again.
    rollback_.Add(AppliedItem::kSlideshow, [this] {
      return slideshowStopped_ ? services_.shell.StartSlideshow(before_.slideshow) : Status::Ok();
    });
    AddShownDesktopUndo();
    if (Status set = SetPictureValues(); !set) return set;
    // A slideshow left running would replace the picture at its next change.
    if (before_.slideshow.running) {
      if (Status stopped = services_.shell.StopSlideshow(); !stopped) return stopped;
      slideshowStopped_ = true;
    }
    shellChanged_ = true;
    if (Status shown = ShowPictureFiles(services_.shell, drawn_, pictureFiles_); !shown) {
      return shown;
    }
    // What the new pictures replace: the other generation, and the single picture an earlier
    // version kept in the roaming folder. Left where they cannot go, as nothing shows them.
    RemoveStalePictureFiles(files_, places_.pictureFolder, pictureFiles_);
    files_.RemoveFile(places_.picture);
    // Without a layer the desktop is all there, only its links do not open: not a failure.
    services_.shell.StartDesktopLayer(programFolder_);
    return Status::Ok();
  }

  // Puts back what the run changed. When this run saved the previous desktop and everything is
  // back, the saved copy goes too: the desktop is the user's own again.
  ApplyOutcome Fail(Status failure) const {
    ApplyOutcome outcome = rollback_.Fail(std::move(failure));
    if (savedNow_ && outcome.notRestored.empty()) {
      if (auto saved = LoadSavedDesktop(files_, places_); saved) {
        RemoveSavedDesktop(files_, places_, saved.value().desktop);
      }
    }
    return outcome;
  }

 private:
  // The configure command reaches Apply without the loading sequence, which writes the page; and
  // a page left by a copy of the program in another folder would point the desktop there.
  Status EnsureThemePage() {
    const auto currentPage = files_.ReadFile(themePage_);
    if (currentPage && currentPage.value() == ThemePage(programFolder_, services_.codePage)) {
      return Status::Ok();
    }
    return WriteThemes(programFolder_, files_, services_.codePage);
  }

  // Drawing is the step most likely to fail, and it changes nothing.
  Status DrawPicture(const DesktopContent& content) {
    if (!pictureDesktop_) return Status::Ok();
    before_.monitors = services_.shell.GetMonitorWallpapers();
    if (!before_.monitors.empty()) before_.position = services_.shell.GetWallpaperPosition();
    auto drawn = services_.picture.Draw(content, programFolder_, before_.monitors, 0);
    if (!drawn) return drawn.status();
    drawn_ = std::move(drawn).value();
    if (drawn_.pictures.empty() || drawn_.pictures.size() > kMostPictureFiles) {
      return Status::Failure("Не удалось нарисовать Рабочий стол: мониторов " +
                             std::to_string(drawn_.pictures.size()) + ".");
    }
    return Status::Ok();
  }

  // What cannot be read could not be put back, so Apply stops here instead.
  Status TakeSnapshots() {
    const std::pair<FileSnapshot*, std::string> files[] = {
        {&before_.script, DesktopScriptPath(programFolder_)},
        {&before_.desktopFile, places_.desktopFile},
    };
    for (const auto& [snapshot, path] : files) {
      auto old = FileSnapshot::Take(files_, path);
      if (!old) return old.status();
      *snapshot = std::move(old).value();
    }
    auto values = ReadDesktopValues(registry_);
    if (!values) return values.status();
    before_.values = std::move(values).value();
    if (!pictureDesktop_) {
      // Under a policy that forbids the page desktop the shell is not asked at all.
      if (PageDesktopForbiddenByPolicy(registry_).empty()) {
        before_.webDesktop = services_.shell.GetWebDesktopOptions();
      }
      return Status::Ok();
    }
    auto layerStartup = ReadUserValue(registry_, kRunKey, kLayerRunName);
    if (!layerStartup) return layerStartup.status();
    before_.layerStartup = std::move(layerStartup).value();
    auto slideshow = services_.shell.GetSlideshowState();
    if (!slideshow) return slideshow.status();
    before_.slideshow = std::move(slideshow).value();
    return Status::Ok();
  }

  // Once the shell has been told of the picture, taking it back means showing the old wallpaper
  // again. This step runs after the old values are back, and the wallpaper value is put back
  // once more after it (see ShowWallpaperValue).
  void AddShownDesktopUndo() {
    rollback_.Add(AppliedItem::kShownDesktop, [this]() -> Status {
      if (!shellChanged_) return Status::Ok();
      if (drawn_.arrangement == PictureArrangement::kPerMonitor) {
        if (Status shown = ShowMonitorWallpapers(services_.shell, before_.monitors,
                                                 before_.position, files_);
            !shown) {
          return shown;
        }
      } else if (Status shown = ShowWallpaperValue(registry_, services_.shell); !shown) {
        return shown;
      }
      return PutBackDesktopValue(registry_, kWallpaperValue, before_.values[kWallpaperValue]);
    });
  }

  // The wallpaper value names the primary's picture. The layer over the picture makes its
  // entries' links work; it starts at every logon.
  Status SetPictureValues() {
    const auto [style, tile] = PictureStyleValues(drawn_.arrangement);
    const std::pair<DesktopValueIndex, std::string> values[] = {
        {kPageWallpaperValue, themePage_},
        {kWallpaperStyleValue, style},
        {kTileWallpaperValue, tile},
        {kWallpaperValue, pictureFiles_.paths[0]},
    };
    for (const auto& [index, text] : values) {
      if (Status set = SetDesktopValue(index, text); !set) return set;
    }
    return SetValue(AppliedItem::kLayerStartup, kRunKey, kLayerRunName, before_.layerStartup,
                    DesktopLayerCommand(programFolder_));
  }

  Status SetDesktopValue(DesktopValueIndex index, const std::string& text) {
    return SetValue(kDesktopValueItems[index], kDesktopValues[index].key,
                    kDesktopValues[index].name, before_.values[index], text);
  }

  // A value that fails to be written is left as it was, and has nothing to undo.
  Status SetValue(AppliedItem item, std::string_view key, std::string_view name,
                  const std::optional<RegistryValue>& old, const std::string& text) {
    Status set = registry_.SetStringValue(RegistryRoot::kCurrentUser, std::string(key),
                                          std::string(name), text);
    if (set) {
      rollback_.Add(item, [this, key, name, &old] {
        return PutBackUserValue(registry_, key, name, old);
      });
    }
    return set;
  }

  const ApplyServices& services_;
  FileSystem& files_;
  Registry& registry_;
  const DesktopPlaces places_;
  const std::string programFolder_;
  const std::string themePage_;
  const bool pictureDesktop_;
  bool savedNow_ = false;       // this run saved the previous desktop
  bool shellChanged_ = false;   // the shell has been asked to show the picture
  bool slideshowStopped_ = false;
  bool pageNotShown_ = false;
  DrawnDesktop drawn_;
  PictureFileSet pictureFiles_;
  Snapshots before_;
  Rollback rollback_;
};

ApplyOutcome Finished(ApplyResult result) { return {result, Status::Ok(), {}, {}, false}; }

}  // namespace

ApplyOutcome Apply(const DesktopContent& content, const ApplyServices& services) {
  if (FirstUnmarkedEntry(content) >= 0) return Finished(ApplyResult::kRefused);
  const std::string appData = AppDataFolder(services.environment, services.registry);
  if (appData.empty()) return Finished(ApplyResult::kNoAppDataFolder);
  if (std::string policy = WallpaperFixedByPolicy(services.registry); !policy.empty()) {
    ApplyOutcome refused = Finished(ApplyResult::kFixedByPolicy);
    refused.policy = std::move(policy);
    return refused;
  }

  ApplyRun run(services, DesktopPlacesIn(appData, LocalAppDataFolder(services.environment,
                                                                     services.registry)));
  if (Status saved = run.SavePreviousDesktop(); !saved) {
    return {ApplyResult::kFailed, std::move(saved), {}, {}, false};
  }
  if (Status prepared = run.Prepare(content); !prepared) return run.Fail(std::move(prepared));
  if (Status installed = run.InstallPageFiles(content); !installed) {
    return run.Fail(std::move(installed));
  }
  Status shown = run.PictureDesktop() ? run.ShowAsPicture() : run.ShowAsPage();
  if (!shown) return run.Fail(std::move(shown));
  ApplyOutcome applied = Finished(ApplyResult::kApplied);
  applied.pageNotShown = run.PageNotShown();
  return applied;
}

}  // namespace mirella
