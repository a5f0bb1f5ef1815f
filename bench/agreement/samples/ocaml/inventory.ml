(* A stock ledger: items keyed by SKU, movements applied one by one, and a
   report of what runs low.  Errors are values, not exceptions. *)

module StringMap = Map.Make (String)

type item = { sku : string; name : string; price : float }

type movement =
  | Received of string * int
  | Shipped of string * int
  | Counted of string * int

type stock = int StringMap.t

let quantity sku stock = Option.value (StringMap.find_opt sku stock) ~default:0

let apply stock = function
  | Received (sku, n) when n <= 0 -> Error (Printf.sprintf "received %d of %s" n sku)
  | Received (sku, n) -> Ok (StringMap.add sku (quantity sku stock + n) stock)
  | Shipped (sku, n) ->
      let have = quantity sku stock in
      if n > have then Error (Printf.sprintf "cannot ship %d of %s, only %d left" n sku have)
      else Ok (StringMap.add sku (have - n) stock)
  | Counted (sku, n) -> Ok (StringMap.add sku n stock)

let apply_all stock movements =
  List.fold_left
    (fun acc m -> match acc with Error _ as e -> e | Ok s -> apply s m)
    (Ok stock) movements

let low_stock ?(threshold = 5) stock =
  StringMap.bindings stock
  |> List.filter (fun (_, n) -> n < threshold)
  |> List.sort (fun (_, a) (_, b) -> compare a b)

let total_value items stock =
  List.fold_left (fun sum item -> sum +. (item.price *. float_of_int (quantity item.sku stock))) 0.0 items

let parse_movement line =
  match String.split_on_char ' ' (String.trim line) with
  | [ verb; sku; amount ] -> (
      match (verb, int_of_string_opt amount) with
      | "in", Some n -> Some (Received (sku, n))
      | "out", Some n -> Some (Shipped (sku, n))
      | "count", Some n -> Some (Counted (sku, n))
      | _ -> None)
  | _ -> None

let () =
  let items = [ { sku = "A1"; name = "bolt"; price = 0.25 }; { sku = "B2"; name = "nut"; price = 0.1 } ] in
  let moves = List.filter_map parse_movement [ "in A1 40"; "in B2 3"; "out A1 12"; "oops" ] in
  match apply_all StringMap.empty moves with
  | Error msg -> prerr_endline ("error: " ^ msg)
  | Ok stock ->
      Printf.printf "value: %.2f\n" (total_value items stock);
      List.iter (fun (sku, n) -> Printf.printf "low: %s (%d)\n" sku n) (low_stock stock)
